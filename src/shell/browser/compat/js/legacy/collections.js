// Collections of the old control: document.all, callable collections
// (document.forms("f"), table.rows(0)), item() by name.

// Collections of that time are also functions: document.forms("f"),
// form.elements("x"), table.rows(0), and item() takes a name.
function pick(coll, which, index) {
  if (which === undefined || which === null) return null;
  if (typeof which === 'number' || /^\d+$/.test(which)) return coll[Number(which)] || null;
  which = String(which);
  var found = [];
  for (var i = 0; i < coll.length; i++) {
    var el = coll[i];
    if (!el) continue;
    var owner = el.ownerNode;
    if (el.id === which || (el.getAttribute && el.getAttribute('name') === which) || (owner && owner.id === which)) {
      found.push(el);
    }
  }
  if (index !== undefined) return found[Number(index)] || null;
  if (found.length < 2) return found[0] || null;
  if (coll instanceof HTMLFormControlsCollection) return coll.namedItem(which);
  return listOf(found);
}
function listOf(items) {
  method(items, 'item', function (i) { return pick(items, i); });
  return items;
}

function patchCollections(R) {
  var nativeItem = HTMLCollection.prototype.item;
  method(HTMLCollection.prototype, 'item', function (which, index) {
    if (index !== undefined || (typeof which === 'string' && !/^\d+$/.test(which))) return pick(this, which, index);
    return nativeItem.apply(this, arguments);
  });

  function callable(coll, owner, all) {
    if (coll === null || coll === undefined) return coll;  // (document.all is == null, not === null)
    var wrapped = R.wrappers.get(coll);
    if (wrapped) return wrapped;
    var bound = new Map();
    var tags = function (tag) { return callable(owner.getElementsByTagName(String(tag)), owner, true); };
    var item = function (which, index) {
      if (all && index === undefined) return coll.item(which);
      return pick(coll, which, index);
    };
    wrapped = new Proxy(function () {}.bind(), {
      apply: function (t, self, args) { return item(args[0], args[1]); },
      get: function (t, key) {
        if (key === 'tags' && all) return tags;
        if (key === 'item') return item;
        var value = Reflect.get(coll, key, coll);
        if (typeof value !== 'function') return value;
        if (!bound.has(key)) bound.set(key, value.bind(coll));
        return bound.get(key);
      },
      set: function (t, key, value) { return Reflect.set(coll, key, value, coll); },
      has: function (t, key) { return key in coll; },
      ownKeys: function () { return Reflect.ownKeys(coll); },
      getOwnPropertyDescriptor: function (t, key) {
        var d = Reflect.getOwnPropertyDescriptor(coll, key);
        if (d) d.configurable = true;
        return d;
      },
      defineProperty: function (t, key, d) { return Reflect.defineProperty(coll, key, d); },
      deleteProperty: function (t, key) { return Reflect.deleteProperty(coll, key); },
      getPrototypeOf: function () { return Object.getPrototypeOf(coll); },
      setPrototypeOf: function () { return false; }
    });
    R.wrappers.set(coll, wrapped);
    return wrapped;
  }
  function wrapGetters(proto, names, all) {
    names.forEach(function (name) {
      var get = nativeDescriptor(proto, name).get;
      if (!get) return;
      Object.defineProperty(proto, name, {
        configurable: true, enumerable: true,
        get: function () { return callable(get.call(this), this, all); }
      });
    });
  }
  wrapGetters(Document.prototype, ['forms', 'images', 'links', 'anchors', 'scripts', 'embeds', 'plugins', 'applets',
                                   'styleSheets']);
  wrapGetters(HTMLFormElement.prototype, ['elements']);
  wrapGetters(HTMLSelectElement.prototype, ['options']);
  wrapGetters(HTMLTableElement.prototype, ['rows', 'tBodies']);
  wrapGetters(HTMLTableSectionElement.prototype, ['rows']);
  wrapGetters(HTMLTableRowElement.prototype, ['cells']);
  wrapGetters(Element.prototype, ['children']);
  // document.all tests true again, as the IE branches of pages expect.
  wrapGetters(Document.prototype, ['all'], true);
  property(Element.prototype, 'all', function () { return callable(this.getElementsByTagName('*'), this, true); });
  method(HTMLAllCollection.prototype, 'tags', function (tag) {
    return callable(window.document.getElementsByTagName(String(tag)), window.document, true);
  });

  // form.item("name") as form.elements("name").
  method(HTMLFormElement.prototype, 'item', function (which, index) { return pick(this.elements, which, index); });
  // window.frames("name"), as document.frames("name").
  property(window, 'frames', function () { return window.document.frames; });

  property(Document.prototype, 'frames', function () {
    var win = this.defaultView;
    if (!win) return null;
    var wrapped = R.wrappers.get(win);
    if (wrapped) return wrapped;
    var doc = this;
    var frame = function (which) {
      if (typeof which === 'number' || /^\d+$/.test(which)) return win[Number(which)] || null;
      var el = doc.querySelector('iframe[name="' + CSS.escape(which) + '"],frame[name="' + CSS.escape(which) +
                                 '"],iframe[id="' + CSS.escape(which) + '"],frame[id="' + CSS.escape(which) + '"]');
      return el ? el.contentWindow : null;
    };
    wrapped = new Proxy(function () {}.bind(), {
      apply: function (t, self, args) { return frame(args[0]); },
      get: function (t, key) {
        if (key === 'item') return frame;
        if (key === 'length') return win.length;
        if (typeof key === 'string' && !/^\d+$/.test(key)) { var named = frame(key); if (named) return named; }
        return Reflect.get(win, key, win);
      }
    });
    R.wrappers.set(win, wrapped);
    return wrapped;
  });
}
