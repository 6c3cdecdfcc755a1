// The DOM, events and ActiveX objects of the old embedded Internet Explorer,
// for pages of the agency's server written for it.
//
// It runs when each document of those pages is created, sometimes twice in one
// window (window.open reuses the first Window object for the first page), so
// the prototypes of a window are patched once and each document is set up
// once. Up front it only defines properties; the work happens when a page
// uses them, and the scans of a page's markup once it is parsed.
//
// The files of this folder share one function scope (the page script the
// program puts together, in strict mode): each holds one concern of it, and
// start.js, last, patches the window and sets up the document.

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
