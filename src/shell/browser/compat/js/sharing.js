// What a modal dialog and the page that opened it share, as the old control
// let them: the caller's objects (its window, document, forms and fields,
// functions, objects of its own) reach the dialog as references that are read,
// changed and called live. The caller waits in showModalDialog meanwhile, so
// it serves its dialog: each thing the dialog does with a reference is a
// request the program hands to the waiting caller, which does it on its own
// object and answers (dialogs.js runs that loop). What the dialog hands over
// of its own crosses as a copy, as JSON copies it.
//
// A value on its way, in JSON:
//   {}                         undefined
//   {v: x}                     null, a boolean, a string, a finite number
//   {n: 'NaN'}                 NaN, Infinity, -Infinity, -0
//   {r: id, k: 'f'|'a'|'o'}    an object of the caller's: a function, an array, any other
//   {a: [...]}, {o: {...}}     an array or an object of the dialog's, copied
//   {j: json}                  a returnValue in plain JSON (a dialog's page without the layer)
//   {e: message}               an answer: what the caller did failed
var SHARING = BRIDGE && (function (bridge) {
  'use strict';
  var hasOwn = Object.prototype.hasOwnProperty;
  // The longest value that crosses (characters of its JSON): the program keeps no more for a page.
  var MOST = 16 * 1024 * 1024;
  // A request is an address, and an address holds about two million characters: longer values go in parts.
  var PART = 100000;
  var DEEPEST = 200;

  function failure(message, name) {
    var error = new Error(message);
    if (name) error.name = name;
    error.description = message;
    return error;
  }
  function tooLarge() { return failure('数据太大，不能在对话框和调用它的网页之间传递。', 'RangeError'); }

  function primitive(value) {
    if (value === undefined) return {};
    if (value === null || typeof value === 'boolean' || typeof value === 'string') return {v: value};
    if (typeof value === 'number') {
      if (value !== value || value === Infinity || value === -Infinity) return {n: String(value)};
      return value === 0 && 1 / value < 0 ? {n: '-0'} : {v: value};
    }
    if (typeof value === 'bigint' || typeof value === 'symbol') throw failure('此类型的值不能传递：' + typeof value, 'TypeError');
    return null;
  }
  function fromPrimitive(e) {
    if (hasOwn.call(e, 'v')) return e.v;
    if (hasOwn.call(e, 'n')) return e.n === '-0' ? -0 : Number(e.n);
    return undefined;
  }
  function kind(value) {
    return typeof value === 'function' ? 'f' : Array.isArray(value) ? 'a' : 'o';
  }
  function messageOf(error) {
    return error && typeof error.message === 'string' ? error.message : String(error);
  }

  // Sends a call whose values may be longer than an address takes: those go
  // ahead in parts that the program keeps for the call. Null as bridge.call.
  function send(what, params) {
    var bulky = [];
    for (var key in params) {
      var text = String(params[key]);
      if (text.length <= PART) continue;
      if (text.length > MOST) return null;
      for (var at = 0; at < text.length;) {
        var end = Math.min(at + PART, text.length);
        var last = text.charCodeAt(end - 1);
        if (end < text.length && last >= 0xD800 && last <= 0xDBFF) end--;  // a character stays whole
        if (bridge.call('part', {name: key, first: at ? 0 : 1, data: text.slice(at, end)}) === null) return null;
        at = end;
      }
      params[key] = '';
      bulky.push(key);
    }
    if (bulky.length) params.bulk = bulky.join(',');
    return bridge.call(what, params);
  }

  // A value of the dialog's for its caller: references back to the caller's
  // objects stay references, the rest is copied as JSON copies it. Throws for
  // an object that contains itself.
  function copy(value, refs, seen) {
    var e = primitive(value);
    if (e) return e;
    var id = refs ? refs(value) : undefined;
    if (id !== undefined) return {r: id};
    if (typeof value.toJSON === 'function') {
      value = value.toJSON();
      if ((e = primitive(value))) return e;
    }
    if (typeof value === 'function') return undefined;
    seen = seen || [];
    if (seen.indexOf(value) >= 0 || seen.length > DEEPEST)
      throw failure('对象引用了它自己，不能传给调用对话框的网页。', 'TypeError');
    seen.push(value);
    var out;
    if (Array.isArray(value)) {
      out = {a: []};
      for (var i = 0; i < value.length; i++) {
        var item = copy(value[i], refs, seen);
        out.a.push(item && Object.keys(item).length ? item : {v: null});
      }
    } else {
      out = {o: {}};
      Object.keys(value).forEach(function (key) {
        var item = copy(value[key], refs, seen);
        if (item && Object.keys(item).length)  // undefined and functions are left out
          Object.defineProperty(out.o, key, {value: item, writable: true, enumerable: true, configurable: true});
      });
    }
    seen.pop();
    return out;
  }

  // ---- the caller: its objects by number while its dialog is open

  function Served(root) {
    this.root = root;
    this.objects = [];
    this.ids = new Map();
  }
  // A value of the caller's for the dialog: objects by reference.
  Served.prototype.encode = function (value) {
    var e = primitive(value);  // document.all, which calls itself undefined, is an object here
    if (e) return e;
    var id = this.ids.get(value);
    if (id === undefined) {
      id = this.objects.push(value) - 1;
      this.ids.set(value, id);
    }
    return {r: id, k: typeof value === 'undefined' ? 'f' : kind(value)};
  };
  // A value from the dialog: its references resolved, its copies made here.
  Served.prototype.decode = function (e) {
    var self = this;
    if (!e || typeof e !== 'object') return undefined;
    if (hasOwn.call(e, 'r')) {
      if (!(e.r >= 0 && e.r < this.objects.length)) throw failure('对象已不存在。', 'ReferenceError');
      return this.objects[e.r];
    }
    if (hasOwn.call(e, 'j')) return e.j;
    if (Array.isArray(e.a)) return e.a.map(function (item) { return self.decode(item); });
    if (e.o && typeof e.o === 'object') {
      var out = {};
      Object.keys(e.o).forEach(function (key) {  // "__proto__" too is a name like any other, as JSON reads it
        Object.defineProperty(out, key, {value: self.decode(e.o[key]), writable: true, enumerable: true, configurable: true});
      });
      return out;
    }
    return fromPrimitive(e);
  };
  // Does what the dialog asked with one of the caller's objects; the answer, encoded.
  Served.prototype.run = function (q) {
    try {
      if (q.op === 'root') return this.encode(this.root);
      if (!(q.id >= 0 && q.id < this.objects.length)) throw failure('对象已不存在。', 'ReferenceError');
      var target = this.objects[q.id], key = String(q.key);
      switch (q.op) {
        case 'get': return this.encode(target[key]);
        case 'set': return {v: Reflect.set(Object(target), key, this.decode(q.value))};
        case 'has': return {v: key in Object(target)};
        case 'own': return {v: hasOwn.call(target, key)};
        case 'delete': return {v: Reflect.deleteProperty(Object(target), key)};
        case 'keys':
          var keys = [];
          for (var name in target) keys.push(name);
          return {v: keys};
        case 'call':
        case 'new':
          var args = (Array.isArray(q.args) ? q.args : []).map(this.decode, this);
          return this.encode(q.op === 'new' ? Reflect.construct(target, args)
                                            : Reflect.apply(target, this.decode(q.self), args));
      }
      throw failure('对象不支持此操作', 'TypeError');
    } catch (error) {
      return {e: messageOf(error), name: error && error.name};
    }
  };
  // What the dialog returned: the caller's own objects back as themselves.
  Served.prototype.result = function (text) {
    try {
      return text ? this.decode(JSON.parse(text)) : undefined;
    } catch (e) {
      return undefined;
    }
  };
  // The answer as it goes to the program: no longer than the program keeps.
  Served.prototype.answer = function (q) {
    var text = JSON.stringify(this.run(q));
    return text.length > MOST ? JSON.stringify({e: tooLarge().message, name: 'RangeError'}) : text;
  };

  // ---- the dialog: the caller's objects as stand-ins that ask the caller

  // `ask(request)` sends a request and returns the caller's answer, encoded.
  function Remote(ask) {
    this.ask = ask;
    this.proxies = new Map();
    this.ids = new WeakMap();
    this.known = null;  // the names the caller's object listed last: {id, names}
  }
  Remote.prototype.decode = function (e) {
    if (hasOwn.call(e, 'e')) throw failure(e.e, e.name);
    return hasOwn.call(e, 'r') ? this.proxy(e.r, e.k) : fromPrimitive(e);
  };
  // What the dialog writes or passes to a call. Its own function would be
  // lost on the way: that is an error, not an undefined the caller finds later.
  Remote.prototype.encode = function (value) {
    var ids = this.ids;
    if (typeof value === 'function' && !ids.has(value))
      throw failure('对话框里的函数不能交给打开它的网页。', 'TypeError');
    return copy(value, function (v) { return ids.get(v); }) || {};
  };
  // Asks and decodes. What changes the caller forgets what it listed.
  Remote.prototype.request = function (q) {
    if (q.op !== 'get' && q.op !== 'has' && q.op !== 'own' && q.op !== 'keys') this.known = null;
    return this.decode(this.ask(q));
  };
  Remote.prototype.proxy = function (id, k) {
    var proxy = this.proxies.get(id);
    if (proxy) return proxy;
    var remote = this;
    function request(q) {
      q.id = id;
      return remote.request(q);
    }
    function get(key) { return request({op: 'get', key: key}); }
    // An array stands in for an array and a function for a function, so
    // Array.isArray, typeof, calls and `new` tell them as the caller's.
    var target = k === 'a' ? [] : k === 'f' ? function () {}.bind(null) : {};
    proxy = new Proxy(target, {
      get: function (t, key) {
        if (typeof key === 'symbol') return key === Symbol.iterator && k === 'a' ? Array.prototype[Symbol.iterator] : undefined;
        // fn.call(this, …) and the like call the caller's function from here, with `this` as calls have it.
        if (k === 'f' && (key === 'call' || key === 'apply' || key === 'bind')) return Function.prototype[key];
        return get(key);
      },
      set: function (t, key, value) {
        if (typeof key === 'symbol') return false;
        return request({op: 'set', key: key, value: remote.encode(value)});
      },
      has: function (t, key) {
        return typeof key === 'symbol' ? false : request({op: 'has', key: key});
      },
      deleteProperty: function (t, key) {
        return typeof key === 'symbol' ? true : request({op: 'delete', key: key});
      },
      ownKeys: function (t) {
        var names = request({op: 'keys'});
        var list = [];
        for (var i = 0; i < names.length; i++) list.push(String(names[i]));
        remote.known = {id: id, names: new Set(list)};
        if (k === 'a' && list.indexOf('length') < 0) list.push('length');
        return list;
      },
      getOwnPropertyDescriptor: function (t, key) {
        var own = Reflect.getOwnPropertyDescriptor(t, key);
        if (typeof key === 'symbol') return own;
        if (own && !own.configurable) {  // an array's length
          own.value = get(key);
          return own;
        }
        var listed = remote.known && remote.known.id === id && remote.known.names.has(key);
        if (!listed && !request({op: 'own', key: key})) return undefined;
        return {get: function () { return get(key); },
                set: function (value) { request({op: 'set', key: key, value: remote.encode(value)}); },
                enumerable: true, configurable: true};
      },
      defineProperty: function (t, key, descriptor) {
        if (typeof key === 'symbol' || !('value' in descriptor)) return false;
        return request({op: 'set', key: key, value: remote.encode(descriptor.value)});
      },
      apply: function (t, self, args) {
        // `this` of the dialog's own (its window, when a timer calls) means nothing to the caller.
        var own = self !== null && (typeof self === 'object' || typeof self === 'function') && !remote.ids.has(self);
        return request({op: 'call', self: own ? {} : remote.encode(self), args: args.map(remote.encode, remote)});
      },
      construct: function (t, args) {
        return request({op: 'new', args: args.map(remote.encode, remote)});
      }
    });
    this.proxies.set(id, proxy);
    this.ids.set(proxy, id);
    return proxy;
  };

  return {
    send: send,
    tooLarge: tooLarge,
    failure: failure,
    MOST: MOST,
    Served: Served,
    Remote: Remote,
    // A returnValue for the caller, as text; empty for undefined and for what cannot cross.
    returned: function (value, remote) {
      try {
        var text = JSON.stringify(remote ? remote.encode(value) : copy(value) || {});
        return text.length > MOST ? '' : text;
      } catch (e) {
        return '';
      }
    }
  };
})(BRIDGE);
