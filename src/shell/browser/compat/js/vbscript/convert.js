// How VBScript turns one kind of value into another: strings read as numbers
// and numbers written as strings the way it did on a Chinese Windows desk,
// truth values, and the conversion functions' ranges and rounding.
(function (VB) {
  'use strict';

  var T = VB.T, Num = VB.Num, VDate = VB.VDate, Bytes = VB.Bytes, VArray = VB.VArray;
  var fail = VB.fail;

  // Rounding to even, as CInt, CLng, Round and the integer operators round.
  function roundEven(x) {
    var r = Math.round(x);
    if (Math.abs(x % 1) === 0.5) r = 2 * Math.round(x / 2);
    return r === 0 ? 0 : r;
  }
  VB.roundEven = roundEven;

  // "&HFF" and "&O17" as literals and strings write them: four hex digits make
  // an Integer, eight a Long, both with their sign bit.
  function radixValue(digits, radix) {
    var v = parseInt(digits, radix);
    if (!isFinite(v) || v > 0xffffffff) return NaN;
    if (v <= 0xffff) return v > 0x7fff ? v - 0x10000 : v;
    return v > 0x7fffffff ? v - 0x100000000 : v;
  }
  VB.radixValue = radixValue;

  var DECIMAL = /^([+-]?)(\d[\d,]*\.?\d*|\.\d+)([ed][+-]?\d+)?$/i;
  // A string as a number, as VBScript reads it (blanks around, thousands
  // separators, &H and &O, a sign, an exponent, brackets for a minus); NaN when it is none.
  function parseNumber(text) {
    var s = String(text).replace(/^[\s\u3000]+|[\s\u3000]+$/g, '');
    var negative = false;
    if (/^\(.*\)$/.test(s)) {
      negative = true;
      s = s.slice(1, -1).trim();
    }
    var m = /^&([ho])([0-9a-f]+)&?$/i.exec(s);
    if (m) {
      if (m[1].toLowerCase() === 'o' && /[89a-f]/i.test(m[2])) return NaN;
      var r = radixValue(m[2], m[1].toLowerCase() === 'h' ? 16 : 8);
      return negative ? -r : r;
    }
    m = DECIMAL.exec(s.replace(/^([+-])\s+/, '$1'));
    if (!m || /,\./.test(m[2]) || /^,/.test(m[2])) return NaN;
    var v = Number(m[2].replace(/,/g, '') + (m[3] ? 'e' + m[3].slice(1) : ''));
    if (m[1] === '-') v = -v;
    return negative ? -v : v;
  }
  VB.parseNumber = parseNumber;

  // A value as a number with its subtype, for arithmetic: [value, subtype].
  function numeric(x) {
    switch (typeof x) {
      case 'number': return [x, VB.typeOf(x)];
      case 'undefined': return [0, T.INTEGER];
      case 'boolean': return [x ? -1 : 0, T.BOOLEAN];
      case 'string': {
        var v = parseNumber(x);
        if (v !== v) fail(13);
        return [v, T.DOUBLE];
      }
      default: break;
    }
    if (x === null) fail(94);
    if (x instanceof Num) return [x.v, x.t];
    if (x instanceof VDate) return [x.v, T.DATE];
    if (x instanceof Bytes) return numeric(toStr(x));
    if (x instanceof VArray || x instanceof Uint8Array) fail(13);
    return numeric(VB.defaultValue(x));
  }
  VB.numeric = numeric;
  VB.toNumber = function (x) { return typeof x === 'number' ? x : numeric(x)[0]; };

  // ------------------------------------------------------------- strings

  // A Double as VBScript writes it: fifteen significant digits, plain unless
  // that would take more than fifteen places either side (a Single: seven).
  function formatFloat(v, digits) {
    if (v === 0) return '0';
    if (v !== v) return '-1.#IND';
    if (!isFinite(v)) return v > 0 ? '1.#INF' : '-1.#INF';
    var m = /^(\d)\.?(\d*)e([+-]\d+)$/.exec(Math.abs(v).toExponential(digits - 1));
    var figures = (m[1] + m[2]).replace(/0+$/, '') || '0';
    var exponent = Number(m[3]);
    var sign = v < 0 ? '-' : '';
    var decimals = figures.length - 1 - exponent;
    if (exponent < digits && decimals <= digits) {
      if (exponent < 0) return sign + '0.' + '0'.repeat(-exponent - 1) + figures;
      if (figures.length <= exponent + 1) return sign + figures + '0'.repeat(exponent + 1 - figures.length);
      return sign + figures.slice(0, exponent + 1) + '.' + figures.slice(exponent + 1);
    }
    var e = Math.abs(exponent);
    return sign + figures.charAt(0) + (figures.length > 1 ? '.' + figures.slice(1) : '') + 'E' +
           (exponent < 0 ? '-' : '+') + (e < 10 ? '0' : '') + e;
  }
  VB.formatFloat = formatFloat;

  function numberText(v, t) {
    switch (t) {
      case T.DOUBLE: return formatFloat(v, 15);
      case T.SINGLE: return formatFloat(v, 7);
      case T.CURRENCY: return String(Number(v.toFixed(4)));
      case T.BOOLEAN: return v ? 'True' : 'False';
      case T.DATE: return VB.formatDate(v);
      default: return String(v);
    }
  }

  // CStr: a value as text.
  function toStr(x) {
    switch (typeof x) {
      case 'string': return x;
      case 'number': return x === (x | 0) ? String(x) : formatFloat(x, 15);
      case 'undefined': return '';
      case 'boolean': return x ? 'True' : 'False';
      default: break;
    }
    if (x === null) fail(94);
    if (x instanceof Num) return numberText(x.v, x.t);
    if (x instanceof VDate) return VB.formatDate(x.v);
    if (x instanceof Bytes) return x.head + String.fromCharCode(x.tail);
    if (x instanceof Uint8Array) return toStr(VB.packBytes(x));
    if (x instanceof VArray) fail(13);
    return toStr(VB.defaultValue(x));
  }
  VB.toStr = toStr;

  // A value as True or False; Null counts as False where a condition asks.
  function toBool(x, nullIs) {
    switch (typeof x) {
      case 'boolean': return x;
      case 'number': return x !== 0;
      case 'undefined': return false;
      case 'string': {
        var s = x.trim();
        if (/^true$/i.test(s)) return true;
        if (/^false$/i.test(s)) return false;
        var v = parseNumber(s);
        if (v !== v) fail(13);
        return v !== 0;
      }
      default: break;
    }
    if (x === null) {
      if (nullIs !== undefined) return nullIs;
      fail(94);
    }
    if (x instanceof Num || x instanceof VDate) return x.v !== 0;
    if (x instanceof Bytes) return toBool(toStr(x));
    if (x === VB.NOTHING) fail(91);
    if (x instanceof VArray || x instanceof Uint8Array) fail(13);
    return toBool(VB.defaultValue(x));
  }
  VB.toBool = toBool;

  // ----------------------------------------------------- conversion functions

  function whole(x, low, high, t) {
    if (x === null) fail(94);
    var v = roundEven(VB.toNumber(x));
    if (!(v >= low && v <= high)) fail(6);
    return VB.num(v, t);
  }
  VB.CInt = function (x) { return whole(x, -32768, 32767, T.INTEGER); };
  VB.CLng = function (x) { return whole(x, -2147483648, 2147483647, T.LONG); };
  VB.CByte = function (x) { return whole(x, 0, 255, T.BYTE); };
  VB.CDbl = function (x) {
    if (x === null) fail(94);
    return VB.num(VB.toNumber(x), T.DOUBLE);
  };
  VB.CSng = function (x) {
    if (x === null) fail(94);
    var v = Math.fround(VB.toNumber(x));
    if (!isFinite(v)) fail(6);
    return VB.num(v, T.SINGLE);
  };
  VB.CCur = function (x) {
    if (x === null) fail(94);
    var v = VB.toNumber(x);
    if (Math.abs(v) > 922337203685477.5807) fail(6);
    return VB.num(roundEven(v * 10000) / 10000, T.CURRENCY);
  };
  VB.CBool = function (x) { return toBool(x); };
  VB.CStr = function (x) { return x instanceof Uint8Array ? VB.packBytes(x) : toStr(x); };

  // Whether a string reads as a number (IsNumeric): dates do not count.
  VB.looksNumeric = function (x) {
    var t = VB.typeOf(x);
    if (t === T.STRING) return parseNumber(toStr(x)) === parseNumber(toStr(x));
    if (t === T.OBJECT && x !== VB.NOTHING) {
      try { return VB.looksNumeric(VB.defaultValue(x)); } catch (e) { return false; }
    }
    return t === T.EMPTY || (VB.isNumericType(t) && t !== T.DATE);
  };
})(VB);
