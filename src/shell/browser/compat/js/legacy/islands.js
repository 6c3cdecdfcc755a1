// <xml> data islands: the element's XMLDocument holds its content, or its src file.
function patchIslands(R) {
  var islands = new WeakMap();
  var islandDocument = function (el) {
    var doc = islands.get(el);
    if (doc) return doc;
    doc = R.newXmlDocument(false);
    islands.set(el, doc);
    doc.async = false;
    var src = el.getAttribute('src');
    if (src) load(doc, src);
    else doc.loadXML(islandSource(el));
    return doc;
  };
  property(HTMLUnknownElement.prototype, 'XMLDocument', function () {
    return this.localName === 'xml' ? islandDocument(this) : undefined;
  });
  property(HTMLUnknownElement.prototype, 'xml', function () {
    return this.localName === 'xml' ? islandDocument(this).xml : undefined;
  });
  property(HTMLUnknownElement.prototype, 'documentElement', function () {
    return this.localName === 'xml' ? islandDocument(this).documentElement : undefined;
  });
  ['selectNodes', 'selectSingleNode', 'transformNode', 'loadXML', 'load'].forEach(function (name) {
    method(HTMLUnknownElement.prototype, name, function () {
      var target = this.localName === 'xml' ? islandDocument(this) : this;
      var fn = target === this ? Node.prototype[name] : target[name];
      if (typeof fn !== 'function') throw unsupported();
      return fn.apply(target, arguments);
    });
  });
}
// The text of an island as written. The HTML parser has already changed it
// (names in lower case, <a/> left open), so it is read again from the page:
// the island in the same place among the page's islands, or of the same id.
function islandSource(el) {
  var doc = el.ownerDocument;
  var st = docState(doc);
  var inline = Array.prototype.filter.call(doc.getElementsByTagName('xml'), function (x) {
    return !x.hasAttribute('src');
  });
  var index = inline.indexOf(el);
  if (st.source === undefined) {
    // From the program, which kept what the server sent: asking the
    // server again could repeat a form's post or an action.
    var p = program();
    st.source = p && typeof p.pageSource === 'function' ? p.pageSource(doc.URL.split('#')[0], doc.characterSet) : null;
  }
  if (st.source) {
    // Islands in the markup, not in the text of its scripts or comments.
    var markup = st.source.replace(/<script\b[\s\S]*?<\/script\s*>|<!--[\s\S]*?-->/gi, '');
    var written = [], ids = [], m, island = /<xml\b([^>]*)>([\s\S]*?)<\/xml\s*>/gi;
    while ((m = island.exec(markup))) {
      if (/\bsrc\s*=/i.test(m[1])) continue;
      var id = /\bid\s*=\s*["']?([^"'\s>]+)/i.exec(m[1]);
      written.push(m[2]);
      ids.push(id ? id[1] : '');
    }
    if (written.length === inline.length && index >= 0) return written[index].trim();
    if (el.id && ids.indexOf(el.id) >= 0) return written[ids.indexOf(el.id)].trim();
  }
  // The markup as the HTML parser kept it, written as XML: its own
  // serialization would leave elements like <br> open and &nbsp; undefined.
  return xmlOf(el.childNodes).trim();
}

function xmlOf(nodes) {
  var text = '';
  var escape = function (s, quote) {
    s = s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
    return quote ? s.replace(/"/g, '&quot;') : s;
  };
  for (var i = 0; i < nodes.length; i++) {
    var node = nodes[i];
    if (node.nodeType === 3) text += escape(node.data);
    else if (node.nodeType === 4) text += '<![CDATA[' + node.data + ']]>';
    else if (node.nodeType === 8) text += '<!--' + node.data.replace(/--/g, '- -') + '-->';
    else if (node.nodeType === 1) {
      var name = node.localName;
      text += '<' + name;
      for (var a = 0; a < node.attributes.length; a++) {
        text += ' ' + node.attributes[a].name + '="' + escape(node.attributes[a].value, true) + '"';
      }
      var inner = xmlOf(node.localName === 'template' ? node.content.childNodes : node.childNodes);
      text += inner ? '>' + inner + '</' + name + '>' : '/>';
    }
  }
  return text;
}
