// Text selection of the old control: document.selection and its TextRange.

// The old control's TextRange: over a text field's value, or over the page.
function TextRange(field, start, end, range) {
  this._field = field;
  this._start = start;
  this._end = end;
  this._range = range;
}
function textNodes(root) {
  var walker = root.ownerDocument.createTreeWalker(root, NodeFilter.SHOW_TEXT);
  var nodes = [], node;
  while ((node = walker.nextNode())) nodes.push(node);
  return nodes;
}
function rangeRoot(range) {
  var doc = range.startContainer.ownerDocument || range.startContainer;
  return doc.body || doc.documentElement;
}
// Character offsets of a page range within the page's text, and back.
function offsetOf(root, container, offset) {
  var probe = root.ownerDocument.createRange();
  probe.setStart(root, 0);
  probe.setEnd(container, offset);
  return probe.toString().length;
}
function pointAt(root, offset) {
  var nodes = textNodes(root);
  for (var i = 0; i < nodes.length; i++) {
    var length = nodes[i].data.length;
    if (offset <= length) return [nodes[i], offset];
    offset -= length;
  }
  var last = nodes[nodes.length - 1];
  return last ? [last, last.data.length] : [root, root.childNodes.length];
}
TextRange.prototype = {
  _bounds: function () {
    if (this._field) return [this._start, this._end];
    var root = rangeRoot(this._range);
    return [offsetOf(root, this._range.startContainer, this._range.startOffset),
            offsetOf(root, this._range.endContainer, this._range.endOffset)];
  },
  _setBounds: function (start, end) {
    var all = this._all();
    start = Math.max(0, Math.min(start, all.length));
    end = Math.max(start, Math.min(end, all.length));
    if (this._field) {
      this._start = start;
      this._end = end;
      return;
    }
    var root = rangeRoot(this._range);
    var a = pointAt(root, start), b = pointAt(root, end);
    this._range.setStart(a[0], a[1]);
    this._range.setEnd(b[0], b[1]);
  },
  _all: function () {
    if (this._field) return this._field.value;
    var root = rangeRoot(this._range);
    var whole = root.ownerDocument.createRange();
    whole.selectNodeContents(root);
    return whole.toString();
  },
  _units: function (unit, at, count) {
    var all = this._all();
    if (/^textedit$/i.test(unit)) return count < 0 ? 0 : all.length;
    if (/^word$/i.test(unit) || /^sentence$/i.test(unit)) {
      var stop = /^word$/i.test(unit) ? /\s/ : /[.!?。！？]/;
      var inUnit = function (i) { return !stop.test(all.charAt(i)); };
      for (var n = Math.abs(count); n > 0; n--) {
        if (count > 0) {
          while (at < all.length && inUnit(at)) at++;
          while (at < all.length && !inUnit(at)) at++;
        } else {
          while (at > 0 && !inUnit(at - 1)) at--;
          while (at > 0 && inUnit(at - 1)) at--;
        }
      }
      return at;
    }
    return at + count;
  },
  get text() {
    if (this._field) return this._field.value.slice(this._start, this._end);
    return this._range.toString();
  },
  set text(value) {
    value = value === null || value === undefined ? '' : String(value);
    if (this._field) {
      this._field.setRangeText(value, this._start, this._end, 'end');
      this._start = this._end = this._start + value.length;
      return;
    }
    var doc = this._range.startContainer.ownerDocument || this._range.startContainer;
    this._range.deleteContents();
    if (value) {
      var node = doc.createTextNode(value);
      this._range.insertNode(node);
      this._range.setStartAfter(node);
    }
    this._range.collapse(true);
  },
  get htmlText() {
    if (this._field) return this.text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
    var box = (this._range.startContainer.ownerDocument || document).createElement('div');
    box.appendChild(this._range.cloneContents());
    return box.innerHTML;
  },
  get boundingLeft() { return this.getBoundingClientRect().left; },
  get boundingTop() { return this.getBoundingClientRect().top; },
  get boundingWidth() { return this.getBoundingClientRect().width; },
  get boundingHeight() { return this.getBoundingClientRect().height; },
  getBoundingClientRect: function () {
    return this._field ? this._field.getBoundingClientRect() : this._range.getBoundingClientRect();
  },
  getClientRects: function () {
    return this._field ? this._field.getClientRects() : this._range.getClientRects();
  },
  pasteHTML: function (html) {
    if (this._field) {
      this.text = html;
      return;
    }
    this._range.deleteContents();
    var fragment = this._range.createContextualFragment(String(html));
    var last = fragment.lastChild;
    this._range.insertNode(fragment);
    if (last) this._range.setStartAfter(last);
    this._range.collapse(true);
  },
  collapse: function (toStart) {
    if (this._field) {
      if (toStart === false) this._start = this._end; else this._end = this._start;
    } else {
      this._range.collapse(toStart !== false);
    }
  },
  moveStart: function (unit, count) {
    var b = this._bounds();
    count = count === undefined ? 1 : Number(count);
    var to = Math.max(0, Math.min(this._units(unit, b[0], count), this._all().length));
    this._setBounds(to, Math.max(to, b[1]));
    return to - b[0];
  },
  moveEnd: function (unit, count) {
    var b = this._bounds();
    count = count === undefined ? 1 : Number(count);
    var to = Math.max(0, Math.min(this._units(unit, b[1], count), this._all().length));
    this._setBounds(Math.min(b[0], to), to);
    return to - b[1];
  },
  move: function (unit, count) {
    this.collapse(!(count > 0));
    var moved = this.moveStart(unit, count);
    this.collapse(true);
    return moved;
  },
  expand: function (unit) {
    var b = this._bounds();
    var start = this._units(unit, b[0] + 1, -1), end = this._units(unit, b[1] - (b[1] > b[0] ? 1 : 0), 1);
    this._setBounds(start, end);
    return end > start;
  },
  findText: function (text, count) {
    var b = this._bounds(), all = this._all();
    var at = count < 0 ? all.lastIndexOf(String(text), b[1] - 1) : all.indexOf(String(text), b[0]);
    if (at < 0 || (this._field === null && at + String(text).length > b[1] && b[1] > b[0])) return false;
    this._setBounds(at, at + String(text).length);
    return true;
  },
  select: function () {
    if (this._field) {
      var doc = this._field.ownerDocument;
      if (doc.activeElement !== this._field) this._field.focus();
      this._field.setSelectionRange(this._start, this._end);
      return;
    }
    var sel = (this._range.startContainer.ownerDocument || document).getSelection();
    sel.removeAllRanges();
    sel.addRange(this._range.cloneRange());
  },
  parentElement: function () {
    if (this._field) return this._field;
    var node = this._range.commonAncestorContainer;
    return node.nodeType === 1 ? node : node.parentElement;
  },
  duplicate: function () {
    return new TextRange(this._field, this._start, this._end, this._range && this._range.cloneRange());
  },
  moveToElementText: function (el) {
    if (this._field) throw unsupported();
    this._range.selectNodeContents(el);
  },
  compareEndPoints: function (how, other) {
    var mine = this._bounds(), theirs = other._bounds();
    var m = /^(Start|End)To(Start|End)$/i.exec(how) || [];
    var a = /^start$/i.test(m[1]) ? mine[0] : mine[1], b = /^start$/i.test(m[2]) ? theirs[0] : theirs[1];
    return a < b ? -1 : a > b ? 1 : 0;
  },
  setEndPoint: function (how, other) {
    var mine = this._bounds(), theirs = other._bounds();
    var m = /^(Start|End)To(Start|End)$/i.exec(how) || [];
    var value = /^start$/i.test(m[2]) ? theirs[0] : theirs[1];
    if (/^start$/i.test(m[1])) this._setBounds(value, Math.max(value, mine[1]));
    else this._setBounds(Math.min(mine[0], value), value);
  },
  isEqual: function (other) {
    var a = this._bounds(), b = other._bounds();
    return a[0] === b[0] && a[1] === b[1];
  },
  inRange: function (other) {
    var a = this._bounds(), b = other._bounds();
    return b[0] >= a[0] && b[1] <= a[1];
  },
  getBookmark: function () { return this._bounds().join(','); },
  moveToBookmark: function (mark) {
    var b = String(mark).split(',').map(Number);
    if (b.length !== 2 || isNaN(b[0]) || isNaN(b[1])) return false;
    this._setBounds(b[0], b[1]);
    return true;
  },
  scrollIntoView: function () { this.parentElement().scrollIntoView(); },
  execCommand: function (command, ui, value) {
    this.select();
    var doc = this._field ? this._field.ownerDocument : (this._range.startContainer.ownerDocument || document);
    return doc.execCommand(command, ui, value);
  },
  queryCommandValue: function (command) {
    var doc = this._field ? this._field.ownerDocument : (this._range.startContainer.ownerDocument || document);
    return doc.queryCommandValue(command);
  }
};

function patchSelection(R) {
  var selections = new WeakMap();
  property(Document.prototype, 'selection', function () {
    var doc = this;
    var found = selections.get(doc);
    if (found) return found;
    var focusedField = function () {
      var el = doc.activeElement;
      return isTextField(el) ? el : null;
    };
    found = {
      get type() {
        var field = focusedField();
        if (field) return field.selectionStart !== field.selectionEnd ? 'Text' : 'None';
        var sel = doc.getSelection();
        return sel && !sel.isCollapsed ? 'Text' : 'None';
      },
      createRange: function () {
        var field = focusedField();
        if (field) return new TextRange(field, field.selectionStart, field.selectionEnd, null);
        var sel = doc.getSelection();
        var range;
        if (sel && sel.rangeCount) {
          range = sel.getRangeAt(0).cloneRange();
        } else {
          range = doc.createRange();
          range.setStart(doc.body || doc.documentElement, 0);
        }
        return new TextRange(null, 0, 0, range);
      },
      createRangeCollection: function () { return listOf([this.createRange()]); },
      empty: function () {
        var field = focusedField();
        if (field) field.setSelectionRange(field.selectionEnd, field.selectionEnd);
        var sel = doc.getSelection();
        if (sel) sel.removeAllRanges();
      },
      clear: function () {
        var field = focusedField();
        if (field) field.setRangeText('', field.selectionStart, field.selectionEnd, 'end');
        else if (doc.getSelection() && doc.getSelection().rangeCount) doc.getSelection().deleteFromDocument();
      }
    };
    selections.set(doc, found);
    return found;
  });
  // On text fields and the body, as there; defined once for all elements, which costs less.
  method(HTMLElement.prototype, 'createTextRange', function () {
    var field = this.localName === 'input' || this.localName === 'textarea';
    if (field) return new TextRange(this, 0, this.value.length, null);
    if (this.localName !== 'body') throw unsupported();
    var range = this.ownerDocument.createRange();
    range.selectNodeContents(this);
    return new TextRange(null, 0, 0, range);
  });
}
