// Events as the old control had them: attachEvent, window.event, its key codes
// and buttons, Enter as Tab, onpropertychange, handler properties of old names.

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
