// The page's own markup as the old control read it: conditional comments,
// <html> attributes, quirks mode, script handlers, and the scans that apply them.

// IE's conditional comments, as the old control read them: it is version 7.
function ieCondition(text) {
  var tokens = String(text).match(/!|&|\||\(|\)|[^\s!&|()]+/g) || [];
  var at = 0;
  var any = function () {
    var v = all();
    while (tokens[at] === '|') { at++; v = all() || v; }
    return v;
  };
  var all = function () {
    var v = one();
    while (tokens[at] === '&') { at++; v = one() && v; }
    return v;
  };
  var one = function () {
    if (tokens[at] === '!') { at++; return !one(); }
    if (tokens[at] === '(') {
      at++;
      var v = any();
      if (tokens[at] === ')') at++;
      return v;
    }
    var op = /^(lt|lte|gt|gte)$/i.test(tokens[at]) ? tokens[at++].toLowerCase() : '';
    var name = tokens[at++] || '';
    var version = /^\d+(\.\d+)?$/.test(tokens[at] || '') ? tokens[at++] : '';
    if (/^true$/i.test(name)) return true;
    if (!/^IE$/i.test(name)) return false;
    if (!version) return !op;
    var v = parseFloat(version), mine = version.indexOf('.') < 0 ? Math.floor(IE_VERSION) : IE_VERSION;
    switch (op) {
      case 'lt': return mine < v;
      case 'lte': return mine <= v;
      case 'gt': return mine > v;
      case 'gte': return mine >= v;
      default: return mine === v;
    }
  };
  try { return any(); } catch (e) { return false; }
}

var CONDITIONAL = /^\[if\s+([^\]]+)\]>([\s\S]*)<!\[endif\]\s*$/i;
var REVEALED = /^\[if\s+([^\]]+)\](?:><!)?$/i;
var ENDIF = /^(?:<!)?\[endif\]$/i;

function conditionalComment(doc, st, comment) {
  var data = comment.data.trim();
  var m = CONDITIONAL.exec(data);
  if (m) {
    if (ieCondition(m[1])) insertConditional(doc, st, comment, m[2]);
    return;
  }
  m = REVEALED.exec(data);
  if (m) {
    if (!ieCondition(m[1])) st.hiding = true;
    return;
  }
  if (ENDIF.test(data)) st.hiding = false;
}
function insertConditional(doc, st, comment, html) {
  var parent = comment.parentNode;
  if (/^\s*<html[\s>]/i.test(html)) {
    // <!--[if IE 7]><html class="ie7"><![endif]-->: the attributes go on the page's html element.
    var attrs = /^\s*<html([^>]*)>/i.exec(html)[1], a, attr = /([^\s=]+)(?:\s*=\s*("[^"]*"|'[^']*'|[^\s>]+))?/g;
    st.htmlAttrs = st.htmlAttrs || [];
    while ((a = attr.exec(attrs))) st.htmlAttrs.push([a[1], (a[2] || '').replace(/^["']|["']$/g, '')]);
    applyHtmlAttributes(doc, st);
    return;
  }
  if (!parent || parent.nodeType !== 1) return;
  var range = doc.createRange();
  range.selectNodeContents(parent);
  var fragment = range.createContextualFragment(html);
  // Scripts run where they stand, in order, as they did in the old control.
  Array.prototype.forEach.call(fragment.querySelectorAll('script[src]'), function (script) {
    var text = fetchText(script.src, script.charset || doc.characterSet);
    if (text === null) return;
    var inline = doc.createElement('script');
    Array.prototype.forEach.call(script.attributes, function (at) {
      if (at.name !== 'src') inline.setAttribute(at.name, at.value);
    });
    inline.text = text;
    script.parentNode.replaceChild(inline, script);
  });
  parent.insertBefore(fragment, comment.nextSibling);
}
function applyHtmlAttributes(doc, st) {
  var html = doc.documentElement;
  if (!html || !st.htmlAttrs) return;
  st.htmlAttrs.forEach(function (a) {
    if (a[0] === 'class') html.className = (html.className + ' ' + a[1]).trim();
    else html.setAttribute(a[0], a[1]);
  });
  st.htmlAttrs = null;
}

// The IE box model in pages without a doctype: widths include padding and border.
function checkMode(doc, st) {
  if (st.modeChecked || !doc.documentElement) return;
  st.modeChecked = true;
  if (doc.compatMode === 'BackCompat') addRule(doc, ':where(:not(img))', 'box-sizing:border-box');
}

// Nodes as the parser adds them to the document, its html, head and body
// elements, before the next script of the page runs. Deeper nodes are left
// to the scan at the end: watching every node would cost the page its speed.
function parsed(doc, st, records) {
  for (var i = 0; i < records.length; i++) {
    var added = records[i].addedNodes;
    for (var j = 0; j < added.length; j++) arrived(doc, st, added[j]);
  }
  dropParsedTableBlanks(doc, st);
  systemColours(doc, st);
  // A style element's text has come once the parser has gone on.
  st.styles = st.styles.filter(function (style) {
    if (!style.nextSibling && style.parentNode && !style.textContent) return true;
    oldStyleElement(doc, st, style);
    return false;
  });
}
function arrived(doc, st, node) {
  if (st.seen.has(node)) return;
  st.seen.add(node);
  if (node.nodeType === 8) {
    conditionalComment(doc, st, node);
    return;
  }
  var tag = node.localName;
  if (st.hiding && node.isConnected && tag !== 'html' && tag !== 'head' && tag !== 'body') {
    node.parentNode.removeChild(node);
    return;
  }
  if (node.nodeType !== 1) return;
  if (tag === 'html') {
    checkMode(doc, st);
    applyHtmlAttributes(doc, st);
    watch(doc, st, node);
  } else if (tag === 'head' || tag === 'body') {
    watch(doc, st, node);
  } else if (tag === 'style') {
    st.styles.push(node);
  } else if (tag === 'object' && node.parentNode === doc.body && !node.previousElementSibling && doc.head &&
             (WEBBROWSER.test(classId(node)) || SCRIPTX.test(classId(node)))) {
    // A control of the <head>, which the old parser left there: today's parser
    // opens the body for it, where a page that rewrites its body (to print a
    // part of it) would destroy it.
    doc.head.appendChild(node);
  } else if (tag === 'script' && node.hasAttribute('event') && node.hasAttribute('for') && !vbscript(node)) {
    // Handler scripts wait for their event (this browser would run some at once).
    node.setAttribute('type', 'text/x-event-handler');
  }
}
// The children an element has, and those the parser adds to it from now on.
function watch(doc, st, el) {
  st.observer.observe(el, {childList: true});
  for (var child = el.firstChild, next; child; child = next) {
    next = child.nextSibling;
    arrived(doc, st, child);
  }
}

// What the parser put deeper than the observer looks: conditional comments
// inside elements, and the content <![if !IE]> hides there.
function deeperComments(doc, st) {
  var walker = doc.createTreeWalker(doc, NodeFilter.SHOW_COMMENT), comment, found = [];
  while ((comment = walker.nextNode())) if (!st.seen.has(comment)) found.push(comment);
  found.forEach(function (c) {
    var data = c.data.trim(), m = REVEALED.exec(data);
    if (!m) {
      st.seen.add(c);
      conditionalComment(doc, st, c);
      st.hiding = false;
      return;
    }
    if (ieCondition(m[1])) return;
    var ends = function (node) { return node.nodeType === 8 && ENDIF.test(node.data.trim()); };
    for (var next = c.nextSibling; next && !ends(next); next = c.nextSibling) c.parentNode.removeChild(next);
  });
}

// What the page needs before its load handlers run, and what can wait until it has loaded.
var SCAN = 'script[for][event],[onpropertychange],style,[style*="alpha" i],[style*="expression" i],' +
           '[style*="behavior" i],[style*="filter" i],[style*="hand" i]';
var SCAN_LATER = 'object[classid],link[rel~="stylesheet" i]';

// Once the page is parsed: handler scripts, property handlers and old CSS.
function scanPage(doc, st) {
  if (st.observer) {
    parsed(doc, st, st.observer.takeRecords());
    st.observer.disconnect();
    st.observer = null;
  }
  checkMode(doc, st);
  deeperComments(doc, st);
  dropTableBlanks(doc);
  systemColours(doc, st);
  quirksSizes(doc);
  var found = doc.querySelectorAll(SCAN);
  for (var i = 0; i < found.length; i++) {
    var el = found[i];
    if (el.localName === 'script') handlerScript(doc, el);
    else if (el.localName === 'style') oldStyleElement(doc, st, el);
    propertyChangeAttribute(el);
    oldInlineStyle(doc, st, el);
  }
  startExpressions(doc);
  var later = function () { setTimeout(function () { scanLoadedPage(doc); }, 0); };
  if (doc.readyState === 'complete') later();
  else window.addEventListener('load', later, {once: true});
}

// VBScript: vbscript/loader.js runs it (handler scripts included).
function vbscript(script) {
  var type = script.getAttribute('type');
  return type !== null && type.trim() ? /vbs/i.test(type) : /vbs/i.test(script.getAttribute('language') || '');
}

// Once the page has loaded: what cannot run, and linked style sheets.
function scanLoadedPage(doc) {
  var found = doc.querySelectorAll(SCAN_LATER);
  for (var i = 0; i < found.length; i++) {
    var el = found[i], tag = el.localName;
    if (tag === 'object') {
      var id = classId(el);
      if (!WEBBROWSER.test(id) && !SCRIPTX.test(id)) notice('ActiveX 控件 ' + (CONTROLS[id.toUpperCase()] || id));
    } else if (tag === 'link') {
      linkedCss(doc, el);
    }
  }
}

// Style elements of the head are read as the parser adds them, so the page
// shows and measures them from the start; the scan at the end reads the
// others (again when their text changed) and the style attributes.
function oldStyleElement(doc, st, el) {
  var text = el.textContent;
  if (st.read.get(el) === text) return;
  st.read.set(el, text);
  oldCss(doc, text);
}
function oldInlineStyle(doc, st, el) {
  var inline = el.getAttribute('style');
  if (!inline || st.read.has(el) || !/filter|expression|behavior|hand/i.test(inline)) return;
  st.read.set(el, inline);
  declarations(inline).forEach(function (d) { oldDeclaration(doc, d, null, el); });
}

// A linked style sheet's text, from the cache the page just filled.
function linkedCss(doc, link) {
  var href = link.href;
  if (!href || new URL(href).origin !== window.location.origin) return;
  fetch(href, {cache: 'force-cache', credentials: 'same-origin'}).then(function (response) {
    if (!response.ok) return null;
    var label = charsetOf(response.headers.get('Content-Type')) || link.charset || doc.characterSet;
    return response.arrayBuffer().then(function (bytes) {
      var text;
      try { text = new TextDecoder(label).decode(bytes); } catch (e) { text = new TextDecoder().decode(bytes); }
      oldCss(doc, text);
      startExpressions(doc);
    });
  }).catch(function () { /* the page keeps the sheet as this browser read it */ });
}

// onpropertychange="..." in the markup, which this browser does not know.
function propertyChangeAttribute(el) {
  if (el.hasAttribute('onpropertychange') && !el.onpropertychange) {
    el.onpropertychange = el.getAttribute('onpropertychange');
  }
}

// <script for="btn" event="onclick">: the script is the element's handler.
function handlerScript(doc, script) {
  if (vbscript(script)) return;
  var name = script.getAttribute('for').trim();
  var type = handlerType(script.getAttribute('event').trim().replace(/\(.*$/, ''));
  if (!type) return;
  var code;
  try { code = new Function('event', script.text); } catch (e) { return; }
  var quoted = '"' + CSS.escape(name) + '"';
  var targets = /^window$/i.test(name) ? [window] : /^document$/i.test(name) ? [doc] :
    Array.prototype.slice.call(doc.querySelectorAll('[id=' + quoted + '],[name=' + quoted + ']'));
  targets.forEach(function (target) {
    if (target === window && type === 'load' && doc.readyState === 'complete') {
      code.call(window, undefined);
      return;
    }
    target.addEventListener(type, function (e) { return code.call(target, e); });
  });
}

function setUpDocument(doc) {
  var st = docState(doc);
  if (st.ready) return;
  st.ready = true;
  if (!st.watched) {
    st.watched = true;
    watchFrames(doc);
    symbolFonts(doc);
  }
  if (doc.readyState !== 'loading') {
    scanPage(doc, st);
    return;
  }
  st.observer = new MutationObserver(function (records) { parsed(doc, st, records); });
  st.observer.observe(doc, {childList: true});
  doc.addEventListener('DOMContentLoaded', function () { scanPage(doc, st); }, {capture: true, once: true});
}
