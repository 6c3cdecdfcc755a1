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
// (names in lower case, <a/> left open), so it is read again from the page.
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
    var written = [], m, island = /<xml\b([^>]*)>([\s\S]*?)<\/xml\s*>/gi;
    while ((m = island.exec(st.source))) if (!/\bsrc\s*=/i.test(m[1])) written.push(m[2]);
    if (written.length === inline.length && index >= 0) return written[index].trim();
  }
  return el.innerHTML.trim();
}
