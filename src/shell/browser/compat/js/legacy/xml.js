// MSXML as the pages created it: XMLHTTP, XMLDOM with XPath and XSL
// patterns, XSLT, and the ActiveXObject that made them.

function isXmlNode(node) {
  var doc = node.nodeType === 9 ? node : node.ownerDocument;
  return !!doc && doc.contentType !== 'text/html';
}
function xmlSettings(doc) {
  return doc[XMLDOM] || {language: 'XSLPattern', namespaces: '', preserveWhiteSpace: true};
}
function serialize(node) {
  return new XMLSerializer().serializeToString(node);
}

// A parse error as MSXML reports it.
function parseErrorOf(parsed, url) {
  var error = parsed.getElementsByTagNameNS(HTML_NS, 'parsererror')[0];
  if (!error && parsed.documentElement) return null;
  var reason = error ? error.textContent : '文档没有根元素。';
  var at = /line (\d+) at column (\d+)/.exec(reason) || [];
  var detail = /column \d+: ([^\n]*)/.exec(reason);
  return {errorCode: -1072896760, reason: (detail ? detail[1] : reason).trim(), line: Number(at[1] || 0),
          linepos: Number(at[2] || 0), filepos: 0, srcText: '', url: url || ''};
}
function noError() {
  return {errorCode: 0, reason: '', line: 0, linepos: 0, filepos: 0, srcText: '', url: ''};
}
// MSXML drops the text nodes that are only white space, unless asked not to.
function dropBlankText(root) {
  var walker = (root.ownerDocument || root).createTreeWalker(root, NodeFilter.SHOW_TEXT);
  var blank = [], node;
  while ((node = walker.nextNode())) {
    if (/\S/.test(node.data)) continue;
    var keep = false;
    for (var el = node.parentNode; el && el.nodeType === 1; el = el.parentNode) {
      var space = el.getAttribute('xml:space');
      if (space) { keep = space === 'preserve'; break; }
    }
    if (!keep) blank.push(node);
  }
  blank.forEach(function (n) { n.parentNode.removeChild(n); });
}
function setOwn(obj, name, value) {
  Object.defineProperty(obj, name, {value: value, writable: true, configurable: true, enumerable: true});
}
function fill(doc, parsed, error) {
  while (doc.firstChild) doc.removeChild(doc.firstChild);
  if (!error) {
    for (var child = parsed.firstChild; child; child = child.nextSibling) {
      doc.appendChild(doc.importNode(child, true));
    }
    if (!doc.preserveWhiteSpace) dropBlankText(doc);
  }
  setOwn(doc, 'parseError', error || noError());
  setOwn(doc, 'readyState', 4);
  return !error;
}
function parseXml(text) {
  return new DOMParser().parseFromString(String(text), 'text/xml');
}
// An XML file's bytes decoded by the XML rules (byte order mark, then the
// declaration), as MSXML did whatever the server said.
function xmlText(raw) {
  var head = raw.slice(0, 200);
  var label = 'utf-8';
  if (head.charCodeAt(0) === 0xff && head.charCodeAt(1) === 0xfe) label = 'utf-16le';
  else if (head.charCodeAt(0) === 0xfe && head.charCodeAt(1) === 0xff) label = 'utf-16be';
  else {
    var declared = /^\s*<\?xml[^>]*encoding\s*=\s*["']([\w.:-]+)/.exec(head);
    if (declared) label = declared[1];
  }
  return decodeBytes(raw, label);
}

function newXmlDocument(xpath) {
  var doc = window.document.implementation.createDocument('', '', null);
  var settings = {language: xpath ? 'XPath' : 'XSLPattern', namespaces: ''};
  Object.defineProperty(doc, XMLDOM, {value: settings});
  var own = {async: true, preserveWhiteSpace: false, validateOnParse: true, resolveExternals: false,
             onreadystatechange: null, ondataavailable: null, ontransformnode: null, parseError: noError(),
             readyState: 4, url: ''};
  Object.keys(own).forEach(function (name) { setOwn(doc, name, own[name]); });
  return doc;
}

function load(doc, url) {
  var async = doc.async !== false && doc.async !== 0;
  var xhr = new XMLHttpRequest();
  setOwn(doc, 'url', new URL(String(url), window.document.baseURI).href);
  setOwn(doc, 'readyState', 1);
  var done = function () {
    var error = null, parsed = null;
    if (xhr.status && (xhr.status < 200 || xhr.status >= 300)) {
      error = {errorCode: -2146697210, reason: '系统未找到指定的对象。', line: 0, linepos: 0, filepos: 0,
               srcText: '', url: doc.url};
    } else {
      parsed = parseXml(xmlText(xhr.responseText));
      error = parseErrorOf(parsed, doc.url);
    }
    var ok = fill(doc, parsed, error);
    if (async) {
      if (typeof doc.ondataavailable === 'function') doc.ondataavailable();
      if (typeof doc.onreadystatechange === 'function') doc.onreadystatechange();
    }
    return ok;
  };
  try {
    xhr.open('GET', doc.url, async);
    xhr.overrideMimeType('text/plain; charset=x-user-defined');
    if (async) {
      xhr.onloadend = done;
      xhr.send();
      return true;
    }
    xhr.send();
  } catch (e) {
    return fill(doc, null, {errorCode: -2146697211, reason: String(e.message), line: 0, linepos: 0, filepos: 0,
                            srcText: '', url: doc.url});
  }
  return done();
}

// XSL Patterns, the default query language of the first MSXML versions:
// counted from 0, with $eq$-style operators.
function fromXslPattern(expr) {
  return expr
    .replace(/\[\s*(\d+)\s*\]/g, function (m, n) { return '[' + (Number(n) + 1) + ']'; })
    .replace(/\$(i?eq|ne|lt|le|gt|ge|and|or|not)\$/gi, function (m, op) {
      return {eq: '=', ieq: '=', ne: '!=', lt: '<', le: '<=', gt: '>', ge: '>=', and: ' and ', or: ' or ',
              not: ' not '}[op.toLowerCase()];
    })
    .replace(/\bend\(\)/g, 'last()')
    .replace(/\bindex\(\)/g, '(position()-1)')
    .replace(/\bnodeName\(\)/g, 'name()');
}
function select(node, expr, type) {
  var doc = node.nodeType === 9 ? node : node.ownerDocument;
  var settings = xmlSettings(doc);
  expr = String(expr);
  if (settings.language === 'XSLPattern') expr = fromXslPattern(expr);
  var declared = {}, m, decl = /xmlns:([\w.-]+)\s*=\s*(["'])(.*?)\2/g;
  while ((m = decl.exec(settings.namespaces))) declared[m[1]] = m[3];
  var root = doc.documentElement;
  var resolver = function (prefix) {
    return declared[prefix] || (root && root.lookupNamespaceURI(prefix)) || null;
  };
  try {
    return doc.evaluate(expr, node, resolver, type, null);
  } catch (e) {
    throw ieError('表达式错误: ' + expr, -2147467259);
  }
}
function nodeList(result) {
  var list = [];
  for (var i = 0; i < result.snapshotLength; i++) list.push(result.snapshotItem(i));
  var next = 0;
  method(list, 'item', function (i) { return list[i] || null; });
  method(list, 'nextNode', function () { return list[next++] || null; });
  method(list, 'reset', function () { next = 0; });
  return list;
}

function transform(stylesheet, node) {
  var sheetDoc = stylesheet.nodeType === 9 ? stylesheet : stylesheet.ownerDocument;
  var output = sheetDoc.getElementsByTagNameNS(XSL_NS, 'output')[0];
  var kind = output ? (output.getAttribute('method') || '').toLowerCase() : '';
  var processor = new XSLTProcessor();
  processor.importStylesheet(stylesheet);
  var fail = function () { return ieError('转换失败。', -2147467259); };
  if (kind === 'html' || kind === 'text') {
    var fragment = processor.transformToFragment(node, window.document);
    if (!fragment) throw fail();
    if (kind === 'text') return fragment.textContent;
    var box = window.document.createElement('div');
    box.appendChild(fragment);
    return box.innerHTML;
  }
  var omit = output && output.getAttribute('omit-xml-declaration') === 'yes';
  var declaration = omit ? '' : '<?xml version="1.0" encoding="UTF-16"?>';
  var result = processor.transformToDocument(node);
  if (result && !result.getElementsByTagNameNS('*', 'parsererror').length) {
    if (result.contentType === 'text/html' && result.documentElement) return result.documentElement.outerHTML;
    return declaration + serialize(result);
  }
  // A result of several top-level nodes, or text: no document holds it, but
  // MSXML returned it as written.
  var fragment = processor.transformToFragment(node, document.implementation.createDocument(null, null, null));
  if (!fragment) throw fail();
  var text = '';
  for (var child = fragment.firstChild; child; child = child.nextSibling) text += serialize(child);
  return (kind === 'xml' ? declaration : '') + text;
}

function patchXml(R) {
  property(Node.prototype, 'xml', function () { return isXmlNode(this) ? serialize(this) : undefined; });
  property(Node.prototype, 'text', function () {
    if (!isXmlNode(this)) return undefined;
    var node = this.nodeType === 9 ? this.documentElement : this;
    return node ? node.textContent.trim() : '';
  }, function (value) {
    if (isXmlNode(this)) this.textContent = value;
    else Object.defineProperty(this, 'text', {value: value, writable: true, configurable: true, enumerable: true});
  });
  property(Node.prototype, 'nodeTypedValue', function () { return isXmlNode(this) ? this.text : undefined; });
  property(Node.prototype, 'baseName', function () { return isXmlNode(this) ? this.localName : undefined; });
  method(Node.prototype, 'selectNodes', function (expr) {
    return nodeList(select(this, expr, XPathResult.ORDERED_NODE_SNAPSHOT_TYPE));
  });
  method(Node.prototype, 'selectSingleNode', function (expr) {
    return select(this, expr, XPathResult.FIRST_ORDERED_NODE_TYPE).singleNodeValue;
  });
  method(Node.prototype, 'transformNode', function (stylesheet) { return transform(stylesheet, this); });
  method(XMLDocument.prototype, 'loadXML', function (text) {
    var parsed = parseXml(text);
    return fill(this, parsed, parseErrorOf(parsed));
  });
  method(XMLDocument.prototype, 'load', function (url) { return load(this, url); });
  method(XMLDocument.prototype, 'setProperty', function (name, value) {
    var settings = this[XMLDOM];
    if (!settings) {
      settings = {language: 'XSLPattern', namespaces: ''};
      Object.defineProperty(this, XMLDOM, {value: settings});
    }
    if (/^SelectionLanguage$/i.test(name)) settings.language = /^xpath$/i.test(value) ? 'XPath' : 'XSLPattern';
    else if (/^SelectionNamespaces$/i.test(name)) settings.namespaces = String(value);
  });
  method(XMLDocument.prototype, 'getProperty', function (name) {
    var settings = xmlSettings(this);
    if (/^SelectionLanguage$/i.test(name)) return settings.language;
    if (/^SelectionNamespaces$/i.test(name)) return settings.namespaces;
    return undefined;
  });
  method(XMLDocument.prototype, 'createNode', function (type, name, ns) {
    switch (Number(type) || {element: 1, attribute: 2, text: 3, cdatasection: 4, comment: 8}[String(type)]) {
      case 1: return ns ? this.createElementNS(ns, name) : this.createElement(name);
      case 2: return ns ? this.createAttributeNS(ns, name) : this.createAttribute(name);
      case 3: return this.createTextNode('');
      case 4: return this.createCDATASection('');
      case 8: return this.createComment('');
      default: throw unsupported();
    }
  });
  method(XMLDocument.prototype, 'abort', function () {});
  method(XMLDocument.prototype, 'save', function () { throw unsupported(); });

  function xmlHttp() {
    var xhr = new XMLHttpRequest();
    var responseXML = nativeDescriptor(XMLHttpRequest.prototype, 'responseXML').get;
    var parsed = null;
    // As MSXML's: an XML response without its blank text, anything else an empty document.
    Object.defineProperty(xhr, 'responseXML', {
      configurable: true,
      get: function () {
        if (xhr.readyState !== 4) return null;
        if (!parsed) {
          parsed = responseXML.call(xhr) || newXmlDocument(false);
          dropBlankText(parsed);
        }
        return parsed;
      }
    });
    return xhr;
  }

  // MSXML2.XSLTemplate: a compiled style sheet with parameters.
  function XslTemplate() {
    var template = {stylesheet: null};
    template.createProcessor = function () {
      var params = [];
      var processor = {input: null, output: '', readyState: 0};
      processor.addParameter = function (name, value, ns) { params.push([ns || null, name, value]); };
      processor.reset = function () { params = []; processor.output = ''; };
      processor.transform = function () {
        var xslt = new XSLTProcessor();
        xslt.importStylesheet(template.stylesheet);
        params.forEach(function (p) { xslt.setParameter(p[0], p[1], p[2]); });
        var sheetDoc = template.stylesheet.nodeType === 9 ? template.stylesheet : template.stylesheet.ownerDocument;
        var output = sheetDoc.getElementsByTagNameNS(XSL_NS, 'output')[0];
        var kind = output ? (output.getAttribute('method') || '').toLowerCase() : '';
        var fragment = xslt.transformToFragment(processor.input, window.document);
        if (!fragment) throw ieError('转换失败。', -2147467259);
        if (kind === 'text') {
          processor.output = fragment.textContent;
        } else {
          var box = window.document.createElement('div');
          box.appendChild(fragment);
          processor.output = box.innerHTML;
        }
        processor.readyState = 4;
        return true;
      };
      return processor;
    };
    return template;
  }

  // Scripting.Dictionary, with the VBArray its Keys() and Items() return.
  function Dictionary() {
    var map = new Map();
    var key = function (k) { return dict.CompareMode === 1 && typeof k === 'string' ? k.toLowerCase() : k; };
    var dict = {CompareMode: 0};
    Object.defineProperty(dict, 'Count', {get: function () { return map.size; }});
    dict.Add = function (k, v) {
      if (map.has(key(k))) throw ieError('该关键字已经与该集合的一个元素相关联。', -2146828235);
      map.set(key(k), [k, v]);
    };
    dict.Exists = function (k) { return map.has(key(k)); };
    dict.Item = function (k) { var e = map.get(key(k)); return e ? e[1] : undefined; };
    dict.Key = function (k) { var e = map.get(key(k)); return e ? e[0] : undefined; };
    dict.Remove = function (k) {
      if (!map.delete(key(k))) throw ieError('找不到元素', -2146828277);
    };
    dict.RemoveAll = function () { map.clear(); };
    dict.Keys = function () { return vbArray(Array.from(map.values(), function (e) { return e[0]; })); };
    dict.Items = function () { return vbArray(Array.from(map.values(), function (e) { return e[1]; })); };
    return dict;
  }
  var arrays = new WeakMap();
  function vbArray(items) {
    var safe = {};
    arrays.set(safe, items);
    // VBScript reads these as its own arrays (vbscript/objects.js).
    Object.defineProperty(safe, Symbol.for('lumaro.legacy.safearray'), {value: items});
    return safe;
  }
  global('VBArray', function VBArray(safe) {
    var items = arrays.get(safe) || (Array.isArray(safe) ? safe : []);
    return {
      toArray: function () { return items.slice(); },
      getItem: function (i) { return items[i]; },
      lbound: function () { return 0; },
      ubound: function () { return items.length - 1; },
      dimensions: function () { return 1; }
    };
  });
  global('Enumerator', function Enumerator(collection) {
    var items = collection && typeof collection.Keys === 'function' ? collection.Keys() : collection;
    items = arrays.get(items) || items || [];
    var at = 0;
    return {
      atEnd: function () { return at >= items.length; },
      item: function () { return at < items.length ? items[at] : undefined; },
      moveNext: function () { at++; },
      moveFirst: function () { at = 0; }
    };
  });

  // new ActiveXObject(progId): the objects that have an equivalent here;
  // the others fail as they did where ActiveX was not allowed.
  global('ActiveXObject', function ActiveXObject(progId) {
    var id = String(progId).trim();
    if (/^(microsoft|msxml2)\.(server)?xmlhttp(\.\d\.\d)?$/i.test(id)) return xmlHttp();
    var dom = /^(?:microsoft\.(?:freethreaded)?xmldom|msxml2?\.(?:freethreaded)?domdocument(?:\.(\d)\.\d)?)$/i
      .exec(id);
    if (dom) return newXmlDocument(Number(dom[1] || 0) >= 4);
    if (/^msxml2\.xsltemplate(\.\d\.\d)?$/i.test(id)) return XslTemplate();
    if (/^scripting\.dictionary$/i.test(id)) return Dictionary();
    notice('ActiveX 控件 ' + id);
    throw ieError('Automation 服务器不能创建对象', -2146827859);
  });
  R.newXmlDocument = newXmlDocument;
}
