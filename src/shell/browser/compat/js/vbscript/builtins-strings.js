// The string functions: Len, Left, Mid, InStr, Trim, Replace, StrComp and the
// rest. Null in gives Null out where VBScript says so; positions count from 1.
(function (VB) {
  'use strict';

  var def = VB.builtin, arg = VB.arg, fail = VB.fail, toStr = VB.toStr, MISSING = VB.MISSING;

  function whole(x) {
    if (x === null) fail(94);
    return VB.roundEven(VB.toNumber(x));
  }
  function count(x) {
    var n = whole(x);
    if (n < 0) fail(5);
    return n;
  }
  function start(x) {
    var n = whole(x);
    if (n < 1) fail(5);
    return n;
  }
  // vbTextCompare (1) compares regardless of letter case.
  function textMode(args, i) {
    var c = arg(args, i, 0);
    return c !== 0 && whole(c) === 1;
  }
  function fold(s, text) { return text ? s.toLowerCase() : s; }

  def('Len', 1, 1, function (a) {
    if (a[0] === null) return null;
    if (a[0] instanceof VB.Bytes) return VB.num(a[0].head.length + 1, VB.T.LONG);
    return VB.num(toStr(a[0]).length, VB.T.LONG);
  });
  def('Left', 2, 2, function (a) {
    if (a[0] === null) return null;
    return toStr(a[0]).slice(0, count(a[1]));
  });
  def('Right', 2, 2, function (a) {
    if (a[0] === null) return null;
    var s = toStr(a[0]), n = count(a[1]);
    return n >= s.length ? s : s.slice(s.length - n);
  });
  def('Mid', 2, 3, function (a) {
    if (a[0] === null) return null;
    var s = toStr(a[0]), from = start(a[1]) - 1;
    var n = arg(a, 2, MISSING) === MISSING ? s.length : count(a[2]);
    return s.substr(from, n);
  });

  // InStr([start,] string1, string2[, compare])
  def('InStr', 2, 4, function (a) {
    var from = 1, i = 0;
    if (a.length >= 3) {
      if (a[0] === null) fail(94);
      from = start(a[0]);
      i = 1;
    }
    var s = a[i], find = a[i + 1];
    if (s === null || find === null) return null;
    var text = textMode(a, i + 2);
    s = fold(toStr(s), text);
    find = fold(toStr(find), text);
    if (from > s.length) return VB.num(0, VB.T.LONG);
    if (!find) return VB.num(from, VB.T.LONG);
    return VB.num(s.indexOf(find, from - 1) + 1, VB.T.LONG);
  });
  // InStrRev(string1, string2[, start[, compare]])
  def('InStrRev', 2, 4, function (a) {
    if (a[0] === null || a[1] === null) return null;
    var text = textMode(a, 3);
    var s = fold(toStr(a[0]), text), find = fold(toStr(a[1]), text);
    var from = arg(a, 2, -1);
    from = from === -1 ? s.length : whole(from);
    if (from === 0 || from < -1) fail(5);
    if (from > s.length) return VB.num(0, VB.T.LONG);
    if (!find) return VB.num(from, VB.T.LONG);
    if (from - find.length < 0) return VB.num(0, VB.T.LONG);
    return VB.num(s.lastIndexOf(find, from - find.length) + 1, VB.T.LONG);
  });

  // Trim, LTrim and RTrim take off blanks (spaces) only, as VBScript does.
  def('Trim', 1, 1, function (a) { return a[0] === null ? null : toStr(a[0]).replace(/^ +| +$/g, ''); });
  def('LTrim', 1, 1, function (a) { return a[0] === null ? null : toStr(a[0]).replace(/^ +/, ''); });
  def('RTrim', 1, 1, function (a) { return a[0] === null ? null : toStr(a[0]).replace(/ +$/, ''); });
  def('UCase', 1, 1, function (a) { return a[0] === null ? null : toStr(a[0]).toUpperCase(); });
  def('LCase', 1, 1, function (a) { return a[0] === null ? null : toStr(a[0]).toLowerCase(); });
  def('Space', 1, 1, function (a) { return ' '.repeat(count(a[0])); });
  def('String', 2, 2, function (a) {
    var n = count(a[0]);
    if (a[1] === null) return null;
    var c = a[1];
    var ch = typeof c === 'string' || c instanceof VB.Bytes ? toStr(c).charAt(0) : VB.chr(whole(c) & 0xff);
    if (ch === '') fail(5);
    return ch.repeat(n);
  });
  def('StrReverse', 1, 1, function (a) {
    if (a[0] === null) fail(94);
    return toStr(a[0]).split('').reverse().join('');
  });
  def('StrComp', 2, 3, function (a) {
    if (a[0] === null || a[1] === null) return null;
    var text = textMode(a, 2);
    var x = fold(toStr(a[0]), text), y = fold(toStr(a[1]), text);
    return x < y ? -1 : x > y ? 1 : 0;
  });

  // Replace(expression, find, replacewith[, start[, count[, compare]]]): the
  // answer begins at `start`, as VBScript's does.
  def('Replace', 3, 6, function (a) {
    if (a[0] === null || a[1] === null || a[2] === null) return null;
    var s = toStr(a[0]), find = toStr(a[1]), by = toStr(a[2]);
    var from = start(arg(a, 3, 1)), times = whole(arg(a, 4, -1));
    if (times < -1) fail(5);
    var text = textMode(a, 5);
    s = s.slice(from - 1);
    if (!find || times === 0) return s;
    var hay = fold(s, text), needle = fold(find, text), out = '', at = 0, done = 0;
    for (;;) {
      var i = hay.indexOf(needle, at);
      if (i < 0 || (times !== -1 && done >= times)) break;
      out += s.slice(at, i) + by;
      at = i + find.length;
      done++;
    }
    return out + s.slice(at);
  });

  def('ChrW', 1, 1, function (a) {
    var n = whole(a[0]);
    if (n < -32768 || n > 65535) fail(5);
    return String.fromCharCode(n & 0xffff);
  });
  def('Chr', 1, 1, function (a) { return VB.chr(whole(a[0])); });
  def('AscW', 1, 1, function (a) {
    if (a[0] === null) fail(94);
    var s = toStr(a[0]);
    if (!s) fail(5);
    var c = s.charCodeAt(0);
    return c > 0x7fff ? c - 0x10000 : c;
  });
  def('Asc', 1, 1, function (a) {
    if (a[0] === null) fail(94);
    var s = toStr(a[0]);
    if (!s) fail(5);
    return VB.asc(s.charAt(0));
  });

  // Escape and Unescape: %XX and %uXXXX, as JScript's escape() writes them.
  def('Escape', 1, 1, function (a) { return a[0] === null ? null : escape(toStr(a[0])); });
  def('Unescape', 1, 1, function (a) { return a[0] === null ? null : unescape(toStr(a[0])); });
})(VB);
