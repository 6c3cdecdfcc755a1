// Strings as bytes, as the old pages took XMLHTTP answers apart (bytes2BSTR):
// LenB, MidB, LeftB, RightB, InStrB, AscB and ChrB see a string as its UTF-16
// bytes, low byte first, and a byte array as its bytes. Chr and Asc speak the
// desk's code page, GBK: Chr(&HC4E3) is "你", Asc("你") is -15133.
(function (VB) {
  'use strict';

  var def = VB.builtin, arg = VB.arg, fail = VB.fail, Bytes = VB.Bytes, MISSING = VB.MISSING;

  function byteLength(x) {
    if (typeof x === 'string') return x.length * 2;
    if (x instanceof Bytes) return x.head.length * 2 + 1;
    return x.length;
  }
  function byteAt(x, k) {
    if (x instanceof Uint8Array) return x[k];
    var s = x instanceof Bytes ? x.head : x;
    if (k >= s.length * 2) return x.tail;
    var unit = s.charCodeAt(k >> 1);
    return k & 1 ? unit >> 8 : unit & 0xff;
  }
  // The bytes of x from `from` (0-based), `count` of them, as a string of bytes.
  function slice(x, from, count) {
    var end = Math.min(byteLength(x), from + count);
    if (typeof x === 'string' && !(from & 1)) {
      var units = (end - from) >> 1, text = x.substr(from >> 1, units);
      return (end - from) & 1 ? new Bytes(text, byteAt(x, end - 1)) : text;
    }
    var out = '', k = from;
    for (; k + 1 < end; k += 2) out += String.fromCharCode(byteAt(x, k) | (byteAt(x, k + 1) << 8));
    return k < end ? new Bytes(out, byteAt(x, k)) : out;
  }
  // A byte array as the string of its bytes (CStr(responseBody)); odd-sized, a byte string.
  VB.packBytes = function (bytes) { return slice(bytes, 0, bytes.length); };

  // a & b when one of them ends or starts between the two bytes of a character.
  VB.joinBytes = function (a, b) {
    var head = a instanceof Bytes ? a.head : a, carry = a instanceof Bytes ? a.tail : -1;
    if (carry === -1) return b instanceof Bytes ? new Bytes(head + b.head, b.tail) : head + b;
    var n = byteLength(b), out = head;
    for (var k = 0; k < n; k++) {
      var byte = byteAt(b, k);
      if (carry === -1) {
        carry = byte;
      } else {
        out += String.fromCharCode(carry | (byte << 8));
        carry = -1;
      }
    }
    return carry === -1 ? out : new Bytes(out, carry);
  };

  // A value as something of bytes: a string, a byte string or a byte array.
  function bytesOf(x) {
    if (x instanceof Uint8Array || x instanceof Bytes || typeof x === 'string') return x;
    return VB.toStr(x);
  }
  function whole(x) {
    if (x === null) fail(94);
    return VB.roundEven(VB.toNumber(x));
  }

  def('LenB', 1, 1, function (a) {
    if (a[0] === null) return null;
    return VB.num(byteLength(bytesOf(a[0])), VB.T.LONG);
  });
  def('MidB', 2, 3, function (a) {
    if (a[0] === null) return null;
    var x = bytesOf(a[0]), from = whole(a[1]);
    if (from < 1) fail(5);
    var n = arg(a, 2, MISSING) === MISSING ? byteLength(x) : whole(a[2]);
    if (n < 0) fail(5);
    return slice(x, from - 1, n);
  });
  def('LeftB', 2, 2, function (a) {
    if (a[0] === null) return null;
    var n = whole(a[1]);
    if (n < 0) fail(5);
    return slice(bytesOf(a[0]), 0, n);
  });
  def('RightB', 2, 2, function (a) {
    if (a[0] === null) return null;
    var x = bytesOf(a[0]), n = whole(a[1]), length = byteLength(x);
    if (n < 0) fail(5);
    return slice(x, Math.max(0, length - n), n);
  });
  def('AscB', 1, 1, function (a) {
    if (a[0] === null) fail(94);
    var x = bytesOf(a[0]);
    if (!byteLength(x)) fail(5);
    return byteAt(x, 0);
  });
  def('ChrB', 1, 1, function (a) {
    var n = whole(a[0]);
    if (n < 0 || n > 255) fail(5);
    return new Bytes('', n);
  });
  // InStrB([start,] bytes1, bytes2)
  def('InStrB', 2, 4, function (a) {
    var from = 1, i = 0;
    if (a.length >= 3) {
      from = whole(a[0]);
      if (from < 1) fail(5);
      i = 1;
    }
    if (a[i] === null || a[i + 1] === null) return null;
    var hay = bytesOf(a[i]), needle = bytesOf(a[i + 1]);
    var h = byteLength(hay), n = byteLength(needle);
    if (from > h) return VB.num(0, VB.T.LONG);
    if (!n) return VB.num(from, VB.T.LONG);
    outer: for (var k = from - 1; k + n <= h; k++) {
      for (var j = 0; j < n; j++) if (byteAt(hay, k + j) !== byteAt(needle, j)) continue outer;
      return VB.num(k + 1, VB.T.LONG);
    }
    return VB.num(0, VB.T.LONG);
  });

  // ------------------------------------------------------ the code page

  var decoder = null, codes = null, chars = new Map();
  function gbk() {
    if (!decoder) decoder = new TextDecoder('gbk');
    return decoder;
  }
  // Chr: a character of the desk's code page; two-byte codes are GBK's.
  VB.chr = function (n) {
    if (n < -32768 || n > 65535) fail(5);
    if (n < 0) n += 65536;
    if (n < 0x80) return String.fromCharCode(n);
    var known = chars.get(n);
    if (known !== undefined) return known;
    var text = n < 0x100 ? gbk().decode(Uint8Array.of(n)) : gbk().decode(Uint8Array.of(n >> 8, n & 0xff));
    text = text.length === 1 && text !== '\ufffd' ? text : n < 0x100 ? '' : '?';
    chars.set(n, text);
    return text;
  };
  // Asc: the code of a character in GBK, as a signed 16-bit number; "?" (63) when GBK has no such character.
  VB.asc = function (ch) {
    var c = ch.charCodeAt(0);
    if (c < 0x80) return c;
    if (!codes) {
      codes = new Map();
      var row = new Uint8Array(190 * 2);
      for (var lead = 0x81; lead <= 0xfe; lead++) {
        var k = 0, trails = [];
        for (var trail = 0x40; trail <= 0xfe; trail++) {
          if (trail === 0x7f) continue;
          row[k++] = lead;
          row[k++] = trail;
          trails.push(trail);
        }
        var decoded = gbk().decode(row.subarray(0, k));
        if (decoded.length !== trails.length) continue;
        for (var i = 0; i < trails.length; i++) {
          if (!codes.has(decoded[i])) codes.set(decoded[i], (lead << 8) | trails[i]);
        }
      }
      codes.set('\u20ac', 0x80);
    }
    var code = codes.get(ch);
    if (code === undefined) return 63;
    return code > 0x7fff ? code - 0x10000 : code;
  };
})(VB);
