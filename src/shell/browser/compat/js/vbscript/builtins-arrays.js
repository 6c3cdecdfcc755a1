// The array functions: Array, UBound, LBound, Split, Join, Filter.
(function (VB) {
  'use strict';

  var def = VB.builtin, arg = VB.arg, fail = VB.fail, toStr = VB.toStr;

  def('Array', 0, Infinity, function (a) {
    return VB.arrayOf(a.map(function (x) { return x === VB.MISSING ? undefined : VB.copyValue(x); }));
  });
  def('UBound', 1, 2, function (a) { return VB.bound(a[0], arg(a, 1, undefined), true); });
  def('LBound', 1, 2, function (a) { return VB.bound(a[0], arg(a, 1, undefined), false); });

  function textMode(a, i) {
    var c = arg(a, i, 0);
    return c !== 0 && VB.roundEven(VB.toNumber(c)) === 1;
  }

  // Split(expression[, delimiter[, count[, compare]]]): "" gives an array without elements.
  def('Split', 1, 4, function (a) {
    if (a[0] === null) fail(94);
    var s = toStr(a[0]), by = toStr(arg(a, 1, ' ')), limit = VB.roundEven(VB.toNumber(arg(a, 2, -1)));
    if (limit < -1) fail(5);
    if (s === '' || limit === 0) return VB.arrayOf([]);
    if (by === '') return VB.arrayOf([s]);
    var text = textMode(a, 3), hay = text ? s.toLowerCase() : s, needle = text ? by.toLowerCase() : by;
    var parts = [], at = 0;
    while (limit === -1 || parts.length < limit - 1) {
      var i = hay.indexOf(needle, at);
      if (i < 0) break;
      parts.push(s.slice(at, i));
      at = i + by.length;
    }
    parts.push(s.slice(at));
    return VB.arrayOf(parts);
  });

  function elements(x) {
    if (x instanceof VB.VArray) {
      if (x.sizes.length > 1) fail(5);
      return x.data;
    }
    if (Array.isArray(x)) return x.map(VB.fromJs);  // the page's own arrays, leniently
    return fail(13);
  }
  def('Join', 1, 2, function (a) {
    var by = toStr(arg(a, 1, ' '));
    return elements(a[0]).map(function (e) { return e === null ? fail(94) : toStr(e); }).join(by);
  });
  def('Filter', 2, 4, function (a) {
    if (a[1] === null) fail(94);
    var match = toStr(a[1]), keep = VB.toBool(arg(a, 2, true)), text = textMode(a, 3);
    if (text) match = match.toLowerCase();
    return VB.arrayOf(elements(a[0]).filter(function (e) {
      var s = toStr(e);
      return (text ? s.toLowerCase() : s).indexOf(match) >= 0 === keep;
    }));
  });
})(VB);
