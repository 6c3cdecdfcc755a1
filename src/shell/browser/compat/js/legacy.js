// The DOM, events and ActiveX objects of the old embedded Internet Explorer,
// for pages of the agency's server written for it.
//
// It runs when each document of those pages is created, sometimes twice in one
// window (window.open reuses the first Window object for the first page), so
// the prototypes of a window are patched once and each document is set up
// once. Up front it only defines properties; the work happens when a page
// uses them, and the scans of a page's markup once it is parsed.
(function () {
  'use strict';

  var REALM = Symbol.for('lumaro.legacy.window');
  var STATE = Symbol.for('lumaro.legacy.document');
  var XMLDOM = Symbol.for('lumaro.legacy.xmldom');
  var hasOwn = Object.prototype.hasOwnProperty;
  var HTML_NS = 'http://www.w3.org/1999/xhtml';
  var XSL_NS = 'http://www.w3.org/1999/XSL/Transform';
  var IE_VERSION = 7;  // the embedded control runs pages in its IE7 mode
  var UNSUPPORTED = '对象不支持此属性或方法';

  // -------------------------------------------------------------- helpers

  function method(obj, name, fn) {
    Object.defineProperty(obj, name, {value: fn, writable: true, configurable: true, enumerable: false});
  }
  // A property the page may still overwrite on an object, as if it were not there.
  function property(obj, name, get, set) {
    Object.defineProperty(obj, name, {get: get, set: set || ownValue(name), configurable: true, enumerable: false});
  }
  function ownValue(name) {
    return function (value) {
      Object.defineProperty(this, name, {value: value, writable: true, configurable: true, enumerable: true});
    };
  }
  function nativeDescriptor(proto, name) {
    return Object.getOwnPropertyDescriptor(proto, name) || {};
  }
  function global(name, value) {
    if (!(name in window)) method(window, name, value);
  }
  function ieError(message, number) {
    var error = new Error(message);
    error.number = number;
    error.description = message;
    return error;
  }
  function unsupported() {
    var error = new TypeError(UNSUPPORTED);
    error.number = -2146827850;
    error.description = UNSUPPORTED;
    return error;
  }

  // window.__lumaroIE, the program's side, looked up when needed: pages
  // of the agency's server have it, a test page or a page without the
  // program's part may not.
  function program() {
    var p = window.__lumaroIE;
    return p && typeof p === 'object' ? p : null;
  }
  // What a page uses that cannot run here, told to the program once per page.
  function notice(feature) {
    var st = docState(window.document);
    if (st.notices[feature]) return;
    st.notices[feature] = true;
    var p = program();
    if (p && typeof p.notice === 'function') {
      try { p.notice(feature); } catch (e) { /* the page goes on regardless */ }
    }
  }

  function docState(doc) {
    var st = doc[STATE];
    if (!st) {
      st = {notices: Object.create(null), sheet: null, exprs: [], modeChecked: false, hiding: false,
            htmlAttrs: null, source: undefined, ready: false, observer: null, read: new WeakMap(),
            seen: new WeakSet(), styles: []};
      Object.defineProperty(doc, STATE, {value: st});
    }
    return st;
  }

  function isTextField(el) {
    if (!el) return false;
    if (el.localName === 'textarea') return true;
    return el.localName === 'input' && /^(text|password|search|tel|url|email|number)$/.test(el.type);
  }

  // Bytes of a response read as x-user-defined, decoded as `label`.
  function decodeBytes(text, label) {
    var bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i) & 0xff;
    try {
      return new TextDecoder(label || 'utf-8').decode(bytes);
    } catch (e) {
      return new TextDecoder('utf-8').decode(bytes);
    }
  }
  function charsetOf(contentType) {
    var m = /charset\s*=\s*["']?([\w.:-]+)/i.exec(contentType || '');
    return m ? m[1] : '';
  }
  // A resource of the page's server, read synchronously as the old control read
  // it: labelled bytes as labelled, others in `fallbackCharset`. Null when it fails.
  function fetchText(url, fallbackCharset) {
    var xhr = new XMLHttpRequest();
    try {
      xhr.open('GET', url, false);
      xhr.overrideMimeType('text/plain; charset=x-user-defined');
      xhr.send();
    } catch (e) {
      return null;
    }
    if (xhr.status && (xhr.status < 200 || xhr.status >= 300)) return null;
    return decodeBytes(xhr.responseText, charsetOf(xhr.getResponseHeader('Content-Type')) || fallbackCharset);
  }

  // --------------------------------------------------------------- events

  function handlerType(name) {
    name = String(name).toLowerCase();
    return name.length > 2 && name.slice(0, 2) === 'on' ? name.slice(2) : '';
  }

  function patchEvents(R) {
    method(EventTarget.prototype, 'attachEvent', function (name, handler) {
      var type = handlerType(name);
      if (!type || typeof handler !== 'function') return false;
      var byTarget = R.listeners.get(this);
      if (!byTarget) R.listeners.set(this, byTarget = new Map());
      var key = type + ' ';
      var byHandler = byTarget.get(key);
      if (!byHandler) byTarget.set(key, byHandler = new Map());
      if (byHandler.has(handler)) return true;
      var target = this;
      var listener = function (e) { handler.call(window, oldEvent(R, e)); };
      if (type === 'readystatechange' && target instanceof HTMLScriptElement) {
        type = 'load';
        listener = scriptReadyListener(target, handler);
        target.addEventListener('error', listener);
      }
      if (type === 'propertychange' && target.nodeType === 1) R.watchProperties(target);
      byHandler.set(handler, {type: type, listener: listener});
      target.addEventListener(type, listener);
      return true;
    });
    method(EventTarget.prototype, 'detachEvent', function (name, handler) {
      var byTarget = R.listeners.get(this);
      var byHandler = byTarget && byTarget.get(handlerType(name) + ' ');
      var entry = byHandler && byHandler.get(handler);
      if (!entry) return;
      byHandler.delete(handler);
      this.removeEventListener(entry.type, entry.listener);
      this.removeEventListener('error', entry.listener);
    });

    // fireEvent runs the handlers only, as the old control did: a plain event
    // carries no default action (no navigation, no toggled check box).
    var quiet = {focus: 1, blur: 1, load: 1, unload: 1, error: 1, mouseenter: 1, mouseleave: 1,
                 propertychange: 1, readystatechange: 1, scroll: 1, resize: 1};
    var fields = ['keyCode', 'charCode', 'button', 'clientX', 'clientY', 'screenX', 'screenY', 'offsetX', 'offsetY',
                  'x', 'y', 'altKey', 'ctrlKey', 'shiftKey', 'wheelDelta', 'propertyName', 'fromElement',
                  'toElement', 'qualifier', 'reason', 'data'];
    var fireEvent = function (name, template) {
      var type = handlerType(name);
      if (!type) throw ieError('参数无效。', -2147024809);
      var e = new Event(type, {bubbles: !quiet[type], cancelable: true});
      if (template && typeof template === 'object') {
        fields.forEach(function (field) {
          if (template[field] !== undefined && !(field in e)) {
            Object.defineProperty(e, field, {value: template[field], writable: true, enumerable: true});
          }
        });
      }
      return this.dispatchEvent(e);
    };
    method(Element.prototype, 'fireEvent', fireEvent);
    method(Document.prototype, 'fireEvent', fireEvent);
    method(Document.prototype, 'createEventObject', function (from) {
      var e = {};
      if (from && typeof from === 'object') fields.concat(['type', 'srcElement']).forEach(function (field) {
        if (from[field] !== undefined) e[field] = from[field];
      });
      return e;
    });

    // Key handlers of that time change the key by assigning event.keyCode:
    // 9 turns Enter into Tab (the next field), 0 swallows the key, another
    // code in a keypress types that character instead. Set up at the first
    // key, before any handler of the page sees it.
    var firstKey = function () {
      window.removeEventListener('keydown', firstKey, true);
      window.removeEventListener('keypress', firstKey, true);
      patchKeyCode(R);
    };
    window.addEventListener('keydown', firstKey, true);
    window.addEventListener('keypress', firstKey, true);

    // A script's onreadystatechange, as the old control reported script loading.
    function scriptReadyListener(script, handler) {
      return function (e) {
        Object.defineProperty(script, 'readyState', {value: 'loaded', configurable: true});
        handler.call(script, e);
      };
    }
    // Set up when a page first creates a script: pages watched the scripts they added.
    R.scriptCreated = function () {
      R.scriptCreated = function () {};
      handlerProperty(HTMLScriptElement.prototype, 'onreadystatechange', ['load', 'error'], scriptReadyListener);
    };

    // setCapture: the mouse keeps talking to the element while a button is down.
    method(Element.prototype, 'setCapture', function () {
      try { this.setPointerCapture(1); } catch (e) { /* no button down: nothing to capture */ }
    });
    method(Element.prototype, 'releaseCapture', function () {
      try { this.releasePointerCapture(1); } catch (e) { /* not captured */ }
    });
    method(Document.prototype, 'releaseCapture', function () {});

    // window.event, as scripts of that time read it, numbers mouse buttons as
    // the old control did (left 1, right 2, middle 4); the event a listener
    // receives keeps today's numbers for the pages written for them.
    var current = Object.getOwnPropertyDescriptor(window, 'event');
    if (current && current.get && current.configurable) {
      Object.defineProperty(window, 'event', {
        configurable: true, enumerable: false, set: current.set,
        get: function () { return oldEvent(R, current.get.call(window)); }
      });
    }
    patchPropertyChange(R);
  }

  function oldButton(e) {
    if (e.type === 'mouseup') return [1, 4, 2][e.button] || 0;
    if (/^(mousedown|mousemove|mouseover|mouseout)$/.test(e.type)) return e.buttons & 7;
    return e.button;
  }
  function oldEvent(R, e) {
    if (!(e instanceof MouseEvent)) return e;
    var wrapped = R.oldEvents.get(e);
    if (wrapped) return wrapped;
    var bound = new Map();
    wrapped = new Proxy(e, {
      get: function (t, key) {
        if (key === 'button') return oldButton(e);
        var value = Reflect.get(e, key, e);
        if (typeof value !== 'function') return value;
        if (!bound.has(key)) bound.set(key, value.bind(e));
        return bound.get(key);
      },
      set: function (t, key, value) { return Reflect.set(e, key, value, e); }
    });
    R.oldEvents.set(e, wrapped);
    return wrapped;
  }

  function patchKeyCode(R) {
    var keyCode = nativeDescriptor(KeyboardEvent.prototype, 'keyCode').get;
    Object.defineProperty(KeyboardEvent.prototype, 'keyCode', {
      configurable: true, enumerable: true,
      get: function () {
        var v = R.keyCodes.get(this);
        return v === undefined ? keyCode.call(this) : v;
      },
      set: function (value) {
        var code = Number(value) || 0;
        var before = this.keyCode;
        R.keyCodes.set(this, code);
        if (code === before || !this.isTrusted || (this.type !== 'keydown' && this.type !== 'keypress')) return;
        this.preventDefault();
        if (R.keyActions.has(this)) return;
        R.keyActions.add(this);
        var target = this.target, back = this.shiftKey;
        if (code === 9) queueMicrotask(function () { moveFocus(target, back ? -1 : 1); });
        else if (code > 0 && this.type === 'keypress') queueMicrotask(function () {
          if (target.ownerDocument.activeElement === target) {
            target.ownerDocument.execCommand('insertText', false, String.fromCharCode(code));
          }
        });
      }
    });
  }

  // The fields and controls Tab visits, in tab order.
  function tabOrder(doc) {
    var found = doc.querySelectorAll('a[href],area[href],button,input,select,textarea,iframe,[tabindex],' +
                                     '[contenteditable]');
    var positive = [], normal = [];
    for (var i = 0; i < found.length; i++) {
      var el = found[i];
      if (el.tabIndex < 0 || el.disabled || el.type === 'hidden' || !el.getClientRects().length) continue;
      if (getComputedStyle(el).visibility === 'hidden') continue;
      (el.tabIndex > 0 ? positive : normal).push(el);
    }
    positive.sort(function (a, b) { return a.tabIndex - b.tabIndex; });
    return positive.concat(normal);
  }
  function moveFocus(from, step) {
    var order = tabOrder(from.ownerDocument || from);
    if (!order.length) return;
    var at = order.indexOf(from);
    if (at < 0) {
      at = order.length - 1;
      for (var i = 0; i < order.length; i++) {
        if (from.compareDocumentPosition(order[i]) & Node.DOCUMENT_POSITION_FOLLOWING) { at = i - 1; break; }
      }
    }
    var next = order[(at + step + order.length) % order.length];
    next.focus();
    if (isTextField(next) && typeof next.select === 'function') next.select();
  }

  // onpropertychange: a property or attribute of an element changed, by the
  // user typing or by script. Watching starts when a page asks for it.
  function patchPropertyChange(R) {
    var styleText = new WeakMap();
    R.watchProperties = function (el) {
      if (R.watched.has(el)) return;
      R.watched.set(el, Object.create(null));
      var tag = el.localName;
      if (tag === 'input' || tag === 'textarea' || tag === 'select') {
        var toggles = el.type === 'checkbox' || el.type === 'radio';
        el.addEventListener(toggles || tag === 'select' ? 'change' : 'input', function () {
          firePropertyChange(R, el, toggles ? 'checked' : 'value');
        }, true);
      }
      styleText.set(el, el.style ? el.style.cssText : '');
      new MutationObserver(function (records) {
        records.forEach(function (r) {
          var name = r.attributeName;
          if (name === 'style') {
            var before = styleDeclarations(styleText.get(el) || '');
            var now = styleDeclarations(el.style.cssText);
            styleText.set(el, el.style.cssText);
            Object.keys(now).concat(Object.keys(before)).forEach(function (prop, i, all) {
              if (all.indexOf(prop) === i && now[prop] !== before[prop]) {
                firePropertyChange(R, el, 'style.' + camel(prop));
              }
            });
          } else {
            firePropertyChange(R, el, name === 'class' ? 'className' : name === 'for' ? 'htmlFor' : name);
          }
        });
      }).observe(el, {attributes: true});
    };
    [[HTMLInputElement.prototype, ['value', 'checked']], [HTMLTextAreaElement.prototype, ['value']],
     [HTMLSelectElement.prototype, ['value', 'selectedIndex']]].forEach(function (pair) {
      pair[1].forEach(function (name) {
        var d = nativeDescriptor(pair[0], name);
        Object.defineProperty(pair[0], name, {
          configurable: true, enumerable: true, get: d.get,
          set: function (value) {
            d.set.call(this, value);
            if (!R.watched.has(this)) {
              // A handler in the markup the scan of the page has not reached yet.
              if (!this.hasAttribute('onpropertychange')) return;
              this.onpropertychange = this.getAttribute('onpropertychange');
            }
            firePropertyChange(R, this, name);
          }
        });
      });
    });
    handlerProperty(Element.prototype, 'onpropertychange', ['propertychange'], function (el, handler) {
      R.watchProperties(el);
      return function (e) { if (handler.call(el, e) === false) e.preventDefault(); };
    });
  }
  function firePropertyChange(R, el, name) {
    var busy = R.watched.get(el);
    if (!busy || busy[name]) return;  // a handler that sets the property again does not loop
    busy[name] = true;
    try {
      var e = new Event('propertychange');
      Object.defineProperty(e, 'propertyName', {value: name, enumerable: true});
      el.dispatchEvent(e);
    } finally {
      busy[name] = false;
    }
  }
  // An event handler property (element.onX = fn) for an event this browser
  // knows under other names: `listen(el, handler)` makes the listener for `types`.
  function handlerProperty(proto, name, types, listen) {
    var handlers = new WeakMap();
    Object.defineProperty(proto, name, {
      configurable: true,
      get: function () { var h = handlers.get(this); return h ? h.handler : null; },
      set: function (handler) {
        var el = this, old = handlers.get(el);
        if (old) types.forEach(function (type) { el.removeEventListener(type, old.listener); });
        handlers.delete(el);
        if (typeof handler === 'string') handler = inlineHandler(el, handler);
        if (typeof handler !== 'function') return;
        var listener = listen(el, handler);
        handlers.set(el, {handler: handler, listener: listener});
        types.forEach(function (type) { el.addEventListener(type, listener); });
      }
    });
  }
  // An event handler written in an attribute, scoped as the browser scopes them.
  function inlineHandler(el, code) {
    try {
      var fn = new Function('event', 'with (this.ownerDocument) with (this.form || {}) with (this) {\n' + code + '\n}');
      return function (e) { return fn.call(el, e); };
    } catch (e) {
      return null;
    }
  }
  function camel(name) {
    return name.replace(/-([a-z])/g, function (m, c) { return c.toUpperCase(); });
  }

  // ----------------------------------------------------------- collections

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

  // ------------------------------------------------------------ documents

  function patchDocument(R) {
    var byId = Document.prototype.getElementById;
    method(Document.prototype, 'getElementById', function (id) {
      var found = byId.apply(this, arguments);
      if (found || id === undefined || id === null || id === '') return found;
      return this.getElementsByName(id)[0] || null;  // the old control also found elements by name
    });

    var create = Document.prototype.createElement;
    method(Document.prototype, 'createElement', function (name) {
      if (typeof name !== 'string') return create.apply(this, arguments);
      if (name.charCodeAt(0) !== 60) {
        if (name.length === 6 && /^script$/i.test(name)) R.scriptCreated();
        return create.apply(this, arguments);
      }
      // createElement("<input name=x type=radio>"): the tag as markup.
      var template = create.call(this, 'template');
      template.innerHTML = name;
      var el = template.content.firstElementChild;
      if (!el) throw new DOMException('The tag name provided (' + name + ') is not valid.', 'InvalidCharacterError');
      return this.importNode(el, true);
    });

    var setAttribute = Element.prototype.setAttribute;
    var getAttribute = Element.prototype.getAttribute;
    var removeAttribute = Element.prototype.removeAttribute;
    var aliases = {className: 'class', classname: 'class', htmlFor: 'for', htmlfor: 'for'};
    var alias = function (el, name) {
      var html = typeof name === 'string' && hasOwn.call(aliases, name) && el.namespaceURI === HTML_NS;
      return html ? aliases[name] : name;
    };
    method(Element.prototype, 'setAttribute', function (name, value) {
      if (typeof value === 'function' && /^on/i.test(name)) {
        this[String(name).toLowerCase()] = value;
        return;
      }
      return setAttribute.call(this, alias(this, name), value);
    });
    method(Element.prototype, 'getAttribute', function (name) {
      return getAttribute.call(this, alias(this, name));
    });
    method(Element.prototype, 'removeAttribute', function (name) {
      return removeAttribute.call(this, alias(this, name));
    });

    property(Document.prototype, 'parentWindow', function () { return this.defaultView; });
    property(Element.prototype, 'document', function () { return this.ownerDocument; });
    var ids = new WeakMap();
    property(Element.prototype, 'uniqueID', function () {
      if (!ids.has(this)) ids.set(this, 'ms__id' + (++R.lastId));
      return ids.get(this);
    });
    property(Element.prototype, 'sourceIndex', function () {
      return Array.prototype.indexOf.call(this.ownerDocument.getElementsByTagName('*'), this);
    });
    method(Element.prototype, 'removeNode', function (deep) {
      var parent = this.parentNode;
      if (!parent) return this;
      if (!deep) while (this.firstChild) parent.insertBefore(this.firstChild, this);
      parent.removeChild(this);
      return this;
    });
    method(Element.prototype, 'replaceNode', function (other) {
      if (this.parentNode) this.parentNode.replaceChild(other, this);
      return this;
    });
    method(Element.prototype, 'swapNode', function (other) {
      var mark = this.ownerDocument.createComment('');
      other.parentNode.replaceChild(mark, other);
      this.parentNode.replaceChild(other, this);
      mark.parentNode.replaceChild(this, mark);
      return this;
    });

    // The old control's year: 2024, not 124.
    method(Date.prototype, 'getYear', function () {
      var year = this.getFullYear();
      return year >= 1900 && year < 2000 ? year - 1900 : year;
    });

    property(Navigator.prototype, 'userLanguage', function () { return 'zh-cn'; });
    property(Navigator.prototype, 'browserLanguage', function () { return 'zh-cn'; });
    property(Navigator.prototype, 'systemLanguage', function () { return 'zh-cn'; });

    global('navigate', function (url) { window.location.href = String(url); });
    global('execScript', function (code, language) {
      if (/vbs/i.test(language || '')) {
        notice('VBScript');
        return;
      }
      (0, window.eval)(String(code));
    });
    var external = window.external;
    if (external) {
      var ext = Object.getPrototypeOf(external) || external;
      ['AddFavorite', 'addFavorite', 'AddDesktopComponent', 'AddChannel', 'ShowBrowserUI'].forEach(function (name) {
        if (!(name in external)) method(ext, name, function () {});
      });
    }
    // this.style.behavior = "url(#default#homepage)"; this.setHomePage(...)
    method(Element.prototype, 'setHomePage', function () {});
    method(Element.prototype, 'isHomePage', function () { return false; });
    method(Element.prototype, 'addBehavior', function (url) {
      behaviour(String(url));
      return 0;
    });
    method(Element.prototype, 'removeBehavior', function () { return false; });

    patchSelection(R);
    patchClipboard(R);
    patchPopup(R);
    patchIslands(R);
  }

  // --------------------------------------------------------------- styles

  var ALPHA = /alpha\s*\(\s*opacity\s*[=:]\s*(\d+(?:\.\d+)?)/i;
  var GRAY = /(^|[\s,])gray\b|grayscale\s*=\s*1/i;

  // The opacity (and grey) of an old "filter" value; null when it is a filter of today.
  function oldFilter(value) {
    // Old filters are "progid:...", take key=value arguments, or are bare words;
    // blur(2px) and invert(1) are filters of today.
    if (!/progid\s*:|\b[a-z]+\s*\([^)]*=|(^|[\s,])(gray|xray|fliph|flipv|invert)\s*($|[\s,])/i.test(value)) return null;
    var alpha = ALPHA.exec(value);
    return {opacity: alpha ? String(Math.min(100, parseFloat(alpha[1])) / 100) : '',
            gray: GRAY.test(value) ? 'grayscale(1)' : ''};
  }

  function patchStyles(R) {
    property(Element.prototype, 'currentStyle', function () {
      var view = this.ownerDocument.defaultView || window;
      return view.getComputedStyle(this);
    });
    property(Element.prototype, 'runtimeStyle', function () { return this.style; });
    var style = CSSStyleDeclaration.prototype;
    property(style, 'styleFloat', function () { return this.cssFloat; }, function (v) { this.cssFloat = v; });
    // style.getAttribute("backgroundColor"): the old control's style objects named properties so.
    method(style, 'getAttribute', function (name) { return this[camel(String(name))]; });
    method(style, 'setAttribute', function (name, value) { this[camel(String(name))] = value; });
    method(style, 'removeAttribute', function (name) {
      var had = this[camel(String(name))] !== '';
      this.removeProperty(String(name).replace(/[A-Z]/g, function (c) { return '-' + c.toLowerCase(); }));
      return had;
    });
    ['Left', 'Top', 'Width', 'Height', 'Right', 'Bottom'].forEach(function (side) {
      var name = side.toLowerCase();
      var pixels = function () { return parseInt(this.getPropertyValue(name), 10) || 0; };
      property(style, 'pixel' + side, pixels, function (v) { this.setProperty(name, (parseFloat(v) || 0) + 'px'); });
      property(style, 'pos' + side, function () { return parseFloat(this.getPropertyValue(name)) || 0; }, function (v) {
        var unit = /[a-z%]+$/i.exec(this.getPropertyValue(name));
        this.setProperty(name, (parseFloat(v) || 0) + (unit ? unit[0] : 'px'));
      });
    });
    // style.filter = "alpha(opacity=50)" fades as it did; filters of today pass through.
    Object.defineProperty(style, 'filter', {
      configurable: true, enumerable: true,
      get: function () {
        var old = R.oldFilters.get(this);
        return old !== undefined ? old : this.getPropertyValue('filter');
      },
      set: function (value) {
        value = value === null || value === undefined ? '' : String(value);
        var old = oldFilter(value);
        if (old) {
          R.oldFilters.set(this, value);
          this.setProperty('opacity', old.opacity);
          this.setProperty('filter', old.gray);
          return;
        }
        if (R.oldFilters.has(this)) {
          R.oldFilters.delete(this);
          this.removeProperty('opacity');
        }
        this.setProperty('filter', value);
      }
    });
    var filters = new WeakMap();
    property(Element.prototype, 'filters', function () {
      var el = this;
      var found = filters.get(el);
      if (found) return found;
      var alpha = {enabled: true};
      Object.defineProperty(alpha, 'opacity', {
        enumerable: true,
        get: function () {
          var view = el.ownerDocument.defaultView || window;
          return Math.round(parseFloat(view.getComputedStyle(el).opacity) * 100);
        },
        set: function (v) { el.style.filter = 'alpha(opacity=' + (parseFloat(v) || 0) + ')'; }
      });
      found = {0: alpha, length: 1, alpha: alpha, Alpha: alpha, 'DXImageTransform.Microsoft.Alpha': alpha};
      method(found, 'item', function (which) { return /alpha|^0$/i.test(String(which)) ? alpha : null; });
      filters.set(el, found);
      return found;
    });

    method(Document.prototype, 'createStyleSheet', function (href, index) {
      var el;
      if (href) {
        el = this.createElement('link');
        el.rel = 'stylesheet';
        el.href = href;
      } else {
        el = this.createElement('style');
      }
      var head = this.head || this.documentElement;
      var sheets = this.querySelectorAll('style,link[rel~="stylesheet" i]');
      var before = index >= 0 && index < sheets.length ? sheets[index] : null;
      if (before) before.parentNode.insertBefore(el, before); else head.appendChild(el);
      return el.sheet;
    });
    property(CSSStyleSheet.prototype, 'cssText', function () {
      return Array.prototype.map.call(this.cssRules, function (rule) { return rule.cssText; }).join('\n');
    }, function (text) {
      if (this.ownerNode && this.ownerNode.localName === 'style') {
        this.ownerNode.textContent = String(text);
        return;
      }
      while (this.cssRules.length) this.deleteRule(0);
      var sheet = this;
      cssBlocks(String(text), function (selector, body) {
        try { sheet.insertRule(selector + '{' + body + '}', sheet.cssRules.length); } catch (e) { /* not CSS */ }
      });
    });
  }

  // The rule blocks "selector { declarations }" of a style sheet's text.
  function cssBlocks(text, each) {
    var block = /([^{}]*)\{([^{}]*)\}/g, m;
    text = text.replace(/\/\*[\s\S]*?\*\//g, '');
    while ((m = block.exec(text))) {
      var selector = m[1].trim();
      if (selector && selector.charAt(0) !== '@') each(selector, m[2]);
    }
  }
  // The declarations of a block or style attribute, name -> value; a ";" in
  // parentheses or quotes (an expression) does not end one.
  function declarations(text) {
    var found = [], depth = 0, quote = '', start = 0;
    for (var i = 0; i <= text.length; i++) {
      var c = text.charAt(i);
      if (quote) {
        if (c === quote) quote = '';
      } else if (c === '"' || c === '\'') {
        quote = c;
      } else if (c === '(') {
        depth++;
      } else if (c === ')') {
        depth--;
      } else if ((c === ';' && depth <= 0) || i === text.length) {
        var part = text.slice(start, i), colon = part.indexOf(':');
        if (colon > 0) {
          found.push({name: part.slice(0, colon).trim().toLowerCase(), value: part.slice(colon + 1).trim()});
        }
        start = i + 1;
        depth = 0;
      }
    }
    return found;
  }
  function styleDeclarations(text) {
    var map = {};
    declarations(text).forEach(function (d) { map[d.name] = d.value; });
    return map;
  }

  function behaviour(value) {
    var url = /url\(\s*['"]?([^'")]*)/i.exec(value);
    var target = url ? url[1] : value;
    if (/^#default#homepage$/i.test(target.trim())) return;  // served by setHomePage()
    notice('HTC 行为 (behavior)');
  }

  function shimSheet(doc) {
    var st = docState(doc);
    if (!st.sheet) {
      st.sheet = new CSSStyleSheet();
      doc.adoptedStyleSheets = doc.adoptedStyleSheets.concat(st.sheet);
    }
    return st.sheet;
  }
  function addRule(doc, selector, body) {
    var sheet = shimSheet(doc);
    try {
      sheet.insertRule(selector + '{' + body + '}', sheet.cssRules.length);
    } catch (e) { /* a selector of the old control's own */ }
  }

  // A style sheet's text: filter opacity, expression() and behaviours.
  function oldCss(doc, text) {
    if (!/filter|expression|behavior|hand/i.test(text)) return;
    cssBlocks(text, function (selector, body) {
      if (!/filter|expression|behavior|hand/i.test(body)) return;
      declarations(body).forEach(function (d) { oldDeclaration(doc, d, selector, null); });
    });
  }
  function oldDeclaration(doc, d, selector, el) {
    // cursor: hand, the old name of the pointing hand (quirks mode knows it; standards mode not).
    if (d.name === 'cursor' && /^hand$/i.test(d.value)) {
      if (el) el.style.setProperty('cursor', 'pointer');
      else addRule(doc, selector, 'cursor:pointer');
      return;
    }
    if (d.name === 'behavior') {
      behaviour(d.value);
      return;
    }
    var expr = /^expression\s*\(([\s\S]*)\)\s*$/i.exec(d.value);
    if (expr) {
      var fn;
      try { fn = new Function('return (' + expr[1] + '\n);'); } catch (e) { return; }
      docState(doc).exprs.push({selector: selector, el: el, name: d.name, fn: fn});
      return;
    }
    if (d.name === 'filter' || d.name === '-ms-filter') {
      var old = oldFilter(d.value.replace(/^["']|["']$/g, ''));
      if (!old) return;
      if (el) {
        if (old.opacity) el.style.setProperty('opacity', old.opacity);
        if (old.gray) el.style.setProperty('filter', old.gray);
      } else {
        var body = (old.opacity ? 'opacity:' + old.opacity + ';' : '') + (old.gray ? 'filter:' + old.gray : '');
        addRule(doc, selector, body);
      }
    }
  }

  // expression(): computed again as the window and the page move, as the old control did.
  var LENGTHS = /^(width|height|top|left|right|bottom|(min|max)-(width|height)|margin.*|padding.*|font-size)$/;
  function runExpressions(doc) {
    var st = docState(doc);
    st.exprQueued = false;
    st.exprs.forEach(function (x) {
      var targets = [];
      try { targets = x.el ? [x.el] : doc.querySelectorAll(x.selector); } catch (e) { /* a selector of its own */ }
      for (var i = 0; i < targets.length; i++) {
        var value;
        try { value = x.fn.call(targets[i]); } catch (e) { continue; }
        if (value === undefined || value === null) continue;
        if (typeof value === 'number' && LENGTHS.test(x.name)) value += 'px';
        targets[i].style.setProperty(x.name, String(value));
      }
    });
  }
  function startExpressions(doc) {
    var st = docState(doc);
    if (!st.exprs.length) return;
    if (st.exprsStarted) {
      runExpressions(doc);  // those a linked style sheet added
      return;
    }
    st.exprsStarted = true;
    var queue = function () {
      if (st.exprQueued) return;
      st.exprQueued = true;
      requestAnimationFrame(function () { runExpressions(doc); });
    };
    ['resize', 'scroll', 'load'].forEach(function (type) { window.addEventListener(type, queue, true); });
    ['click', 'keyup', 'mouseup', 'input', 'change'].forEach(function (type) {
      doc.addEventListener(type, function () { setTimeout(queue, 0); }, true);
    });
    runExpressions(doc);
  }

  // ------------------------------------------------------ text selection

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

  // ------------------------------------------------------------ clipboard

  // The clipboard as the old control gave it: a page writes it freely, and
  // reads it only once the user said yes (the program asks, once per page
  // and origin). Every way of today's to read it asks the same question.
  function readClipboard() {
    var p = program();
    return p && typeof p.readClipboard === 'function' ? p.readClipboard() : null;
  }

  function patchClipboard() {
    var text = function (format) { return /^(text|url)$/i.test(String(format)); };
    var clipboard = {
      setData: function (format, data) {
        if (!text(format)) return false;
        var p = program();
        return !!(p && typeof p.writeClipboard === 'function' && p.writeClipboard(String(data)));
      },
      getData: function (format) { return text(format) ? readClipboard() : null; },
      clearData: function (format) { return this.setData(format || 'Text', ''); }
    };
    global('clipboardData', clipboard);

    // execCommand('paste') pastes where the page's focus is, once allowed.
    var execCommand = Document.prototype.execCommand;
    method(Document.prototype, 'execCommand', function (command) {
      if (String(command).toLowerCase() !== 'paste') return execCommand.apply(this, arguments);
      var pasted = readClipboard();
      return pasted !== null && execCommand.call(this, 'insertText', false, pasted);
    });
    if (window.Clipboard && navigator.clipboard) {
      var denied = function () { return new DOMException('Read permission denied.', 'NotAllowedError'); };
      method(Clipboard.prototype, 'readText', function () {
        var pasted = readClipboard();
        return pasted === null ? Promise.reject(denied()) : Promise.resolve(pasted);
      });
      method(Clipboard.prototype, 'read', function () {
        var pasted = readClipboard();
        if (pasted === null) return Promise.reject(denied());
        var blob = new Blob([pasted], {type: 'text/plain'});
        return Promise.resolve([new ClipboardItem({'text/plain': blob})]);
      });
    }
  }

  // ---------------------------------------------------------------- popup

  // window.createPopup: a borderless box over the page that closes when the
  // user clicks elsewhere.
  function patchPopup() {
    global('createPopup', function () {
      var doc = window.document;
      var st = docState(doc);
      if (!st.screenOffset) {
        // Where the page lies on the screen, for popups placed in screen coordinates.
        var offset = st.screenOffset = {x: window.screenX, y: window.screenY};
        var track = function (e) {
          offset.x = e.screenX - e.clientX;
          offset.y = e.screenY - e.clientY;
        };
        doc.addEventListener('mousemove', track, true);
        doc.addEventListener('mousedown', track, true);
      }
      var frame = doc.createElement('iframe');
      frame.setAttribute('frameborder', '0');
      frame.style.cssText = 'position:fixed;display:none;border:0;margin:0;padding:0;z-index:2147483647;' +
                            'background:#fff';
      (doc.body || doc.documentElement).appendChild(frame);
      var inner = frame.contentDocument;
      inner.open();
      inner.write('<!DOCTYPE html><html><head></head><body style="margin:0;overflow:hidden"></body></html>');
      inner.close();
      var popup = {document: inner, isOpen: false};
      var close = function (e) {
        if (e && e.target === frame) return;
        popup.hide();
      };
      popup.show = function (x, y, width, height, anchor) {
        var left, top;
        if (anchor && anchor.getBoundingClientRect) {
          var box = anchor.getBoundingClientRect();
          left = box.left + Number(x);
          top = box.top + Number(y);
        } else {
          left = Number(x) - st.screenOffset.x;
          top = Number(y) - st.screenOffset.y;
        }
        width = Number(width) || 0;
        height = Number(height) || 0;
        left = Math.max(0, Math.min(left, window.innerWidth - width));
        top = Math.max(0, Math.min(top, window.innerHeight - height));
        frame.style.left = left + 'px';
        frame.style.top = top + 'px';
        frame.style.width = width + 'px';
        frame.style.height = height + 'px';
        frame.style.display = 'block';
        if (!popup.isOpen) {
          popup.isOpen = true;
          setTimeout(function () { if (popup.isOpen) doc.addEventListener('mousedown', close, true); }, 0);
        }
      };
      popup.hide = function () {
        frame.style.display = 'none';
        popup.isOpen = false;
        doc.removeEventListener('mousedown', close, true);
      };
      return popup;
    });
  }

  // ---------------------------------------------------------- XML and XSLT

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
    var result = processor.transformToDocument(node);
    if (!result) throw fail();
    if (result.contentType === 'text/html' && result.documentElement) return result.documentElement.outerHTML;
    var omit = output && output.getAttribute('omit-xml-declaration') === 'yes';
    return (omit ? '' : '<?xml version="1.0" encoding="UTF-16"?>') + serialize(result);
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

  // ----------------------------------------------------------- printing

  var WEBBROWSER = /8856F961-340A-11D0-A96B-00C04FD705A2/i;
  var SCRIPTX = /1663ED61-23EB-11D2-B92F-008048FDD814/i;
  var CONTROLS = {
    'D27CDB6E-AE6D-11CF-96B8-444553540000': 'ShockwaveFlash.ShockwaveFlash',
    '6BF52A52-394A-11D3-B153-00C04F79FAA6': 'WMPlayer.OCX',
    '22D6F312-B0F6-11D0-94AB-0080C74C7E95': 'MediaPlayer.MediaPlayer',
    '2105C259-1E0C-4534-8141-A753534CB4CA': 'Lodop',
    'CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA': 'RealPlayer'
  };
  function classId(el) {
    return (el.getAttribute('classid') || '').replace(/^clsid:/i, '').replace(/[{}]/g, '').trim();
  }
  function printPage(kind) {
    var p = program();
    if (p && typeof p.print === 'function') p.print(kind);
    else if (kind === 'print') window.print();
  }

  function patchPrinting() {
    // The WebBrowser control's ExecWB(command, option): print, preview, page setup.
    method(HTMLObjectElement.prototype, 'ExecWB', function (command) {
      if (!WEBBROWSER.test(classId(this))) throw unsupported();
      var doc = this.ownerDocument;
      switch (Number(command)) {
        case 6: printPage('print'); break;
        case 7: printPage('preview'); break;
        case 8: printPage('setup'); break;
        case 12: doc.execCommand('copy'); break;
        case 17: doc.execCommand('selectAll'); break;
        case 18: doc.getSelection().removeAllRanges(); break;
        case 22: doc.defaultView.location.reload(); break;
        case 45: doc.defaultView.close(); break;
        default: break;
      }
    });
    // The ScriptX control's factory.printing.
    var printings = new WeakMap();
    property(HTMLObjectElement.prototype, 'printing', function () {
      if (!SCRIPTX.test(classId(this))) return undefined;
      var found = printings.get(this);
      if (found) return found;
      found = {header: '', footer: '', portrait: true, leftMargin: 0.75, topMargin: 0.75, rightMargin: 0.75,
               bottomMargin: 0.75, copies: 1, printer: '', paperSize: '', printBackground: false};
      found.Print = function () { printPage('print'); return true; };
      found.Preview = function () { printPage('preview'); };
      found.PageSetup = function () { printPage('setup'); return true; };
      found.PrintSetup = found.PageSetup;
      found.SetMarginMeasure = function () {};
      found.IsTemplateSupported = function () { return false; };
      found.WaitForSpoolingComplete = function () { return true; };
      printings.set(this, found);
      return found;
    });
  }

  // ------------------------------------------- the page's own markup

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
    } else if (tag === 'script' && node.hasAttribute('event') && node.hasAttribute('for')) {
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
  var SCAN_LATER = 'script[language],script[type],[language],a[href^="vbscript:" i],object[classid],' +
                   'link[rel~="stylesheet" i]';

  // Once the page is parsed: handler scripts, property handlers and old CSS.
  function scanPage(doc, st) {
    if (st.observer) {
      parsed(doc, st, st.observer.takeRecords());
      st.observer.disconnect();
      st.observer = null;
    }
    checkMode(doc, st);
    deeperComments(doc, st);
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

  // Once the page has loaded: what cannot run, and linked style sheets.
  function scanLoadedPage(doc) {
    var found = doc.querySelectorAll(SCAN_LATER);
    for (var i = 0; i < found.length; i++) {
      var el = found[i], tag = el.localName;
      if (/vbs/i.test(el.getAttribute('language') || '') || (tag === 'script' && /vbs/i.test(el.type)) ||
          (tag === 'a' && /^\s*vbscript:/i.test(el.getAttribute('href') || ''))) {
        notice('VBScript');
      } else if (tag === 'object') {
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
    if (doc.readyState !== 'loading') {
      scanPage(doc, st);
      return;
    }
    st.observer = new MutationObserver(function (records) { parsed(doc, st, records); });
    st.observer.observe(doc, {childList: true});
    doc.addEventListener('DOMContentLoaded', function () { scanPage(doc, st); }, {capture: true, once: true});
  }

  // ----------------------------------------------------------------- start

  var R = hasOwn.call(Document.prototype, REALM) ? Document.prototype[REALM] : null;
  if (!R) {
    // What the patched prototypes of this window share, whichever run of this script patched them.
    R = {listeners: new WeakMap(), keyCodes: new WeakMap(), keyActions: new WeakSet(), oldEvents: new WeakMap(),
         watched: new WeakMap(), wrappers: new WeakMap(), oldFilters: new WeakMap(), lastId: 0,
         watchProperties: null, newXmlDocument: null, scriptCreated: null};
    Object.defineProperty(Document.prototype, REALM, {value: R});
    patchEvents(R);
    patchCollections(R);
    patchStyles(R);
    patchXml(R);
    patchDocument(R);
    patchPrinting(R);
  }
  setUpDocument(window.document);
})();
