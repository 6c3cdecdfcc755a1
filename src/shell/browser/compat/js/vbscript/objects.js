// The page's objects as VBScript sees them: members found in any letter case
// (document.All.txtName.Value), methods called without brackets, collections
// indexed and enumerated, a form field standing for its value, and values
// crossing between the languages (Empty is undefined, Nothing is null, a
// VBScript array a JScript array, a date a Date).
(function (VB) {
  'use strict';

  var fail = VB.fail, VArray = VB.VArray;
  var NO_DEFAULT = VB.NO_DEFAULT = {};
  var DEFAULT = VB.DEFAULT = Symbol('default value');
  var lowerNames = new WeakMap();  // a prototype -> its members' names by lower case, its chain included

  function chainNames(proto) {
    if (!proto) return new Map();
    var known = lowerNames.get(proto);
    if (known) return known;
    var names = new Map(chainNames(Object.getPrototypeOf(proto)));
    Object.getOwnPropertyNames(proto).forEach(function (n) { names.set(n.toLowerCase(), n); });
    lowerNames.set(proto, names);
    return names;
  }

  // Document, Window, Location, Event: names the old control did not have, whose
  // lower-case namesakes (window.document…) a script means.
  function isInterface(obj, name) {
    if (name.charCodeAt(0) > 90 || name.charCodeAt(0) < 65) return false;
    var v = obj[name];
    return typeof v === 'function' && v.name === name && /\[native code\]/.test(Function.prototype.toString.call(v));
  }

  // The member of obj that `name` means, letter case aside; null when it has none.
  VB.memberKey = function (obj, name, lname) {
    if (name in obj && !isInterface(obj, name)) return name;
    if (lname in obj) return lname;
    var own = Object.getOwnPropertyNames(obj);
    for (var i = 0; i < own.length; i++) if (own[i].toLowerCase() === lname && own[i] !== name) return own[i];
    var inherited = chainNames(Object.getPrototypeOf(obj)).get(lname);
    if (inherited !== undefined && inherited !== name) return inherited;
    return name in obj ? name : null;
  };

  function requireObject(obj) {
    if (obj === VB.NOTHING) fail(91);
    if (obj === null || (typeof obj !== 'object' && typeof obj !== 'function') || obj instanceof VArray ||
        obj instanceof VB.Num || obj instanceof VB.VDate || obj instanceof VB.Bytes) {
      fail(424);
    }
    return obj;
  }

  // A function held as a plain value (a method) rather than by a getter (a handler property).
  function isMethod(obj, key) {
    for (var o = obj; o; o = Object.getPrototypeOf(o)) {
      var d = Object.getOwnPropertyDescriptor(o, key);
      if (d) return 'value' in d;
    }
    return true;
  }

  // obj.Name in an expression: a method runs (without arguments), a property reads.
  VB.getMember = function (obj, name, lname) {
    requireObject(obj);
    var key = VB.memberKey(obj, name, lname);
    if (key === null) {
      // The old control made an element's own attributes its properties.
      if (obj.nodeType === 1 && obj.hasAttribute(lname)) return obj.getAttribute(lname);
      fail(438, name);
    }
    var v = obj[key];
    if (typeof v === 'function' && isMethod(obj, key)) return VB.callJs(v, obj, []);
    return VB.fromJs(v);
  };

  // obj.Name args: a method runs with them; a property's value is indexed by them.
  VB.callMember = function (obj, name, lname, args) {
    requireObject(obj);
    var key = VB.memberKey(obj, name, lname);
    if (key === null) {
      if (!args.length && obj.nodeType === 1 && obj.hasAttribute(lname)) return obj.getAttribute(lname);
      fail(438, name);
    }
    var v = obj[key];
    if (typeof v === 'function') return VB.callJs(v, obj, args);
    return args.length ? VB.callValue(VB.fromJs(v), args) : VB.fromJs(v);
  };

  VB.setMember = function (obj, name, lname, value) {
    requireObject(obj);
    var key = VB.memberKey(obj, name, lname);
    var native = isNative(obj);
    // Empty into a property of the browser's objects is "", as the old control made it.
    obj[key === null ? name : key] = value === undefined && native ? '' : VB.toJs(value, native);
  };

  // obj.Name(k) = v: a collection's item (a dictionary's Item) or an array the property holds.
  VB.setMemberIndexed = function (obj, name, lname, args, value) {
    requireObject(obj);
    var key = VB.memberKey(obj, name, lname);
    if (key === null) fail(438, name);
    var v = obj[key];
    if (typeof v === 'function') {
      if (isDictionary(obj) && /^item$/i.test(key)) return setInDictionary(obj, args[0], value);
      fail(438, name);
    }
    return VB.setIndexed(VB.fromJs(v), args, value);
  };

  function isDictionary(obj) {
    return typeof obj.Exists === 'function' && typeof obj.Add === 'function' && typeof obj.Remove === 'function' &&
           typeof obj.Items === 'function';
  }
  // d(key) = v: the entry changes in place, or is added.
  function setInDictionary(d, key, value) {
    var k = VB.toJs(key), v = VB.toJs(value);
    if (!d.Exists(k)) return d.Add(k, v);
    var keys = VB.items(VB.fromJs(d.Keys())), items = VB.items(VB.fromJs(d.Items()));
    d.RemoveAll();
    keys.forEach(function (each, i) {
      var same = VB.compare(each, key) === 0;
      d.Add(VB.toJs(each), same ? v : VB.toJs(items[i]));
    });
  }

  // x(i) = v for what is not a VBScript array.
  VB.setIndexed = function (target, args, value) {
    if (VB.isArray(target)) return VB.setElement(target, args, value);
    requireObject(target);
    if (isDictionary(target)) return setInDictionary(target, args[0], value);
    if (args.length === 1 && (Array.isArray(target) || typeof target.length === 'number')) {
      target[VB.toJs(args[0])] = VB.toJs(value);
      return undefined;
    }
    return fail(438);
  };

  // x(args) for a value: an array's element, a collection's item, a function's call.
  VB.callValue = function (v, args, name) {
    if (v instanceof VArray || v instanceof Uint8Array) return args.length ? VB.element(v, args) : v;
    if (typeof v === 'function') return VB.callJs(v, undefined, args);
    if (v !== null && typeof v === 'object' && VB.isObject(v) && v !== VB.NOTHING) {
      if (!args.length) return v;
      if (typeof v.item === 'function') return VB.callJs(v.item, v, args);
      if (typeof v.Item === 'function') return VB.callJs(v.Item, v, args);
      if (Array.isArray(v) || typeof v.length === 'number') return VB.fromJs(v[VB.toJs(args[0])]);
      return fail(438, name);
    }
    if (!args.length) return v;
    return fail(13, name);
  };

  // What For Each visits.
  VB.items = function (coll) {
    if (coll instanceof VArray) return coll.data.slice();
    if (coll instanceof Uint8Array) return Array.from(coll, function (b) { return VB.num(b, VB.T.BYTE); });
    requireObject(coll);
    if (isDictionary(coll)) return VB.items(VB.fromJs(coll.Keys()));
    if (coll[Symbol.iterator]) return Array.from(coll, VB.fromJs);
    if (typeof coll.length === 'number') return Array.from({length: coll.length}, function (x, i) {
      return VB.fromJs(coll[i]);
    });
    return fail(451);
  };

  // Calls a function of the page with VBScript's arguments; what it answers, as VBScript holds it.
  VB.callJs = function (fn, self, args) {
    var list = new Array(args.length);
    // A method of the browser's objects (the layer's too) wants text; the window's are the page's own or native.
    var native = self && self.window !== self && typeof self === 'object' ? isNative(self) : isNative(fn);
    for (var i = 0; i < args.length; i++) list[i] = args[i] === VB.MISSING ? undefined : VB.toJs(args[i], native);
    var own = VB.pageCall ? VB.pageCall(fn, self, list) : undefined;
    if (own !== undefined) return own.value;
    return VB.fromJs(fn.apply(self, list));
  };

  // ------------------------------------------------------ crossing over

  var SAFE_ARRAY = Symbol.for('lumaro.legacy.safearray');
  VB.fromJs = function (v) {
    if (v === undefined || v === null) return v;
    switch (typeof v) {
      case 'number': case 'string': case 'boolean': return v;
      case 'bigint': return Number(v);
      case 'object': break;
      default: return v;
    }
    if (v instanceof Date || Object.prototype.toString.call(v) === '[object Date]') {
      return isNaN(v.getTime()) ? null : VB.fromJsDate(v);
    }
    // The arrays the layer's Scripting.Dictionary gives (Keys, Items).
    if (v[SAFE_ARRAY]) return VB.arrayOf(v[SAFE_ARRAY].map(VB.fromJs));
    return v;
  };

  // The browser's own objects and functions, which take text where the old
  // control's took a date, and the page's JScript, which takes a Date.
  var natives = new WeakMap();
  function isNative(x) {
    if (typeof x !== 'function') {
      var proto = Object.getPrototypeOf(x);
      return proto !== Object.prototype && proto !== null && !Array.isArray(x);
    }
    var known = natives.get(x);
    if (known === undefined) natives.set(x, known = /\[native code\]\s*\}\s*$/.test(Function.prototype.toString.call(x)));
    return known;
  }
  VB.toJs = function (v, native) {
    if (v === undefined || v === null || typeof v !== 'object') return v;
    if (v === VB.NOTHING || v === VB.MISSING) return v === VB.NOTHING ? null : undefined;
    if (v instanceof VB.Num) return v.v;
    if (v instanceof VB.VDate) return native ? VB.formatDate(v.v) : VB.toJsDate(v.v);
    if (v instanceof VB.Bytes) return VB.toStr(v);
    if (v instanceof VArray) return v.data.map(function (x) { return VB.toJs(x, native); });
    return v;
  };

  // ---------------------------------------------------- default values

  var VALUED = /^(input|select|textarea|option|button|param)$/;
  // The value an object stands for where a value is wanted (x = Text1, Text1 & ""), or NO_DEFAULT.
  VB.defaultValueIfAny = function (obj) {
    if (obj === VB.NOTHING) return NO_DEFAULT;
    if (typeof obj[DEFAULT] === 'function') return obj[DEFAULT]();
    if (obj.nodeType === 1 && VALUED.test(obj.localName)) return VB.fromJs(obj.value);
    if (Object.prototype.toString.call(obj) === '[object Location]') return obj.href;
    if (obj instanceof Date) return VB.fromJs(obj);
    return NO_DEFAULT;
  };
  VB.defaultValue = function (obj) {
    if (obj === VB.NOTHING) fail(91);
    var v = VB.defaultValueIfAny(obj);
    if (v !== NO_DEFAULT) return v;
    if (typeof obj === 'function' || obj.nodeType || obj.window === obj) fail(438);
    // A JScript object: its own text.
    return String(obj);
  };

  // TypeName of an object, as the old control named its objects.
  VB.className = function (obj) {
    if (obj.window === obj) return 'HTMLWindow2';
    if (obj.nodeType === 9) return 'HTMLDocument';
    if (obj.VBClassName) return obj.VBClassName;
    if (typeof XMLHttpRequest !== 'undefined' && obj instanceof XMLHttpRequest) return 'IXMLHTTPRequest';
    var proto = Object.getPrototypeOf(obj);
    if (proto === Object.prototype || proto === null || Array.isArray(obj)) return 'JScriptTypeInfo';
    var ctor = proto && proto.constructor && proto.constructor.name;
    return ctor || 'Object';
  };
})(VB);
