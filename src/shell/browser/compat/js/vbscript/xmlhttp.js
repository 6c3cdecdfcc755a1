// XMLHTTP's responseBody on pages with VBScript: the answer's bytes as a Byte()
// array, which bytes2BSTR and its kin take apart with MidB and AscB. The answer
// is received as bytes; responseText and responseXML are read from them as
// the browser would have read them (the charset of the answer, else UTF-8).
(function (VB) {
  'use strict';

  var BODY = Symbol('lumaro.vbscript.body');

  function charsetOf(type) {
    var m = /charset\s*=\s*["']?([\w.:-]+)/i.exec(type || '');
    return m ? m[1] : '';
  }
  // The answer's charset, or for XML the one its declaration names.
  function labelOf(bytes, type) {
    var label = charsetOf(type);
    if (label || !isXml(type)) return label;
    var head = String.fromCharCode.apply(null, bytes.subarray(0, 200));
    var m = /^\s*<\?xml[^>]*encoding\s*=\s*["']([\w.:-]+)/.exec(head);
    return m ? m[1] : '';
  }
  function isXml(type) { return /[/+]xml\s*(;|$)/i.test(type || ''); }
  function decode(bytes, label) {
    try {
      return new TextDecoder(label || 'utf-8').decode(bytes);
    } catch (e) {
      return new TextDecoder('utf-8').decode(bytes);
    }
  }

  function withBody(xhr, win, Request) {
    if (!(xhr instanceof Request) || xhr[BODY]) return xhr;
    var proto = Request.prototype;
    var nativeText = Object.getOwnPropertyDescriptor(proto, 'responseText').get;
    var state = {bytes: null, text: null, xml: null, length: -1, pageType: ''};
    Object.defineProperty(xhr, BODY, {value: state});
    var send = proto.send, override = proto.overrideMimeType;
    // A type the page asks for itself (x-user-defined, to read bytes as text) still decides responseText.
    xhr.overrideMimeType = function (type) { state.pageType = String(type); };
    xhr.send = function () {
      state.length = -1;
      state.xml = null;
      try { override.call(xhr, 'text/plain; charset=x-user-defined'); } catch (e) { /* already sent */ }
      return send.apply(xhr, arguments);
    };
    function bytes() {
      var raw = nativeText.call(xhr);
      if (raw.length !== state.length) {
        state.length = raw.length;
        var b = new Uint8Array(raw.length);
        for (var i = 0; i < raw.length; i++) b[i] = raw.charCodeAt(i) & 0xff;
        state.bytes = b;
        state.text = null;
      }
      return state.bytes;
    }
    Object.defineProperty(xhr, 'responseBody', {
      configurable: true,
      get: function () { return xhr.readyState >= 3 ? bytes() : new Uint8Array(0); }
    });
    Object.defineProperty(xhr, 'responseText', {
      configurable: true,
      get: function () {
        if (xhr.readyState < 3) return '';
        var b = bytes();
        if (state.text === null) state.text = decode(b, labelOf(b, state.pageType || xhr.getResponseHeader('Content-Type')));
        return state.text;
      }
    });
    // An XML answer as the layer's XML documents read it; any other an empty document.
    Object.defineProperty(xhr, 'responseXML', {
      configurable: true,
      get: function () {
        if (xhr.readyState !== 4) return null;
        if (!state.xml) {
          state.xml = new win.ActiveXObject('Microsoft.XMLDOM');
          if (isXml(xhr.getResponseHeader('Content-Type'))) state.xml.loadXML(xhr.responseText);
        }
        return state.xml;
      }
    });
    return xhr;
  }

  // A file of the page's server (a VBScript block's src), read synchronously
  // through the same bytes: in the charset it is labelled with, else `fallback`; null when it fails.
  VB.fetchText = function (win, Request, url, fallback) {
    var reader = withBody(new Request(), win, Request);
    try {
      reader.open('GET', url, false);
      reader.send();
    } catch (e) {
      return null;
    }
    if (reader.status && (reader.status < 200 || reader.status >= 300)) return null;
    return decode(reader.responseBody, charsetOf(reader.getResponseHeader('Content-Type')) || fallback);
  };

  // From now on the window's XMLHTTP objects, JScript's too, also give their bytes.
  VB.giveBytes = function (win, Request) {
    var make = win.ActiveXObject;
    if (typeof make !== 'function' || make[BODY]) return;
    var wrapped = function ActiveXObject(progId) {
      var made = new make(progId);
      return /xmlhttp/i.test(String(progId)) ? withBody(made, win, Request) : made;
    };
    Object.defineProperty(wrapped, BODY, {value: true});
    Object.defineProperty(win, 'ActiveXObject', {value: wrapped, writable: true, configurable: true, enumerable: false});
  };
})(VB);
