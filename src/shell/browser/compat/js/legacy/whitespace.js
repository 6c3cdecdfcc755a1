// The old control's parser made no text nodes of the white space between the
// parts of a table (its sections, rows and cells) or the options of a list:
// there row.childNodes[i] is a cell and tbody.firstChild a row, and scripts
// of that time count on it. That space is never drawn, so it goes.

var TABLE_PARTS = /^(table|thead|tbody|tfoot|tr|colgroup|select|optgroup)$/;

function dropBlankChildren(el) {
  for (var child = el.firstChild, next; child; child = next) {
    next = child.nextSibling;
    if (child.nodeType === 3 && !/[^ \t\n\r\f]/.test(child.data)) el.removeChild(child);
  }
}
// The table parts under `root` (and `root` itself).
function dropTableBlanks(root) {
  if (root.nodeType === 1 && TABLE_PARTS.test(root.localName)) dropBlankChildren(root);
  if (!root.getElementsByTagName) return;
  ['table', 'thead', 'tbody', 'tfoot', 'tr', 'colgroup', 'select', 'optgroup'].forEach(function (tag) {
    var found = root.getElementsByTagName(tag);
    for (var i = 0; i < found.length; i++) dropBlankChildren(found[i]);
  });
}
// While the page is parsed: the tables and lists it has so far, before its
// next script runs; one is done once the parser has gone past it.
function dropParsedTableBlanks(doc, st) {
  if (!st.tablesDone) st.tablesDone = new WeakSet();
  ['table', 'select'].forEach(function (tag) {
    var found = doc.getElementsByTagName(tag);
    for (var i = 0; i < found.length; i++) {
      var el = found[i];
      if (st.tablesDone.has(el)) continue;
      dropTableBlanks(el);
      if (el.nextSibling) st.tablesDone.add(el);
    }
  });
}
function patchWhitespace() {
  // Markup a script puts in: as the parser of the old control read it.
  [['innerHTML', Element.prototype], ['outerHTML', Element.prototype]].forEach(function (entry) {
    var d = nativeDescriptor(entry[1], entry[0]);
    if (!d.set) return;
    Object.defineProperty(entry[1], entry[0], {configurable: true, enumerable: true, get: d.get,
      set: function (value) {
        var parent = this.parentNode;
        d.set.call(this, value);
        if (/<t[rdhb]|<option/i.test(String(value))) dropTableBlanks(entry[0] === 'innerHTML' ? this : parent || this);
      }});
  });
  var insert = Element.prototype.insertAdjacentHTML;
  method(Element.prototype, 'insertAdjacentHTML', function (where, html) {
    var result = insert.apply(this, arguments);
    if (/<t[rdhb]|<option/i.test(String(html))) dropTableBlanks(this.parentNode || this);
    return result;
  });
}
