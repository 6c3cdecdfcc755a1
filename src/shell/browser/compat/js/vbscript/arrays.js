// VBScript arrays: fixed (Dim a(3, 4)) or dynamic (Dim a(), ReDim [Preserve]),
// zero-based, copied when assigned. Byte arrays (XMLHTTP's responseBody) are
// Uint8Arrays and read like them.
(function (VB) {
  'use strict';

  var VArray = VB.VArray, fail = VB.fail;

  // A new array of the given upper bounds, its elements Empty.
  function make(bounds, fixed) {
    var sizes = bounds.map(function (b) {
      var n = VB.roundEven(VB.toNumber(b)) + 1;
      if (!(n >= 0) || n > 0x7fffffff) fail(n < 0 ? 9 : 6);
      return n;
    });
    var total = sizes.reduce(function (a, b) { return a * b; }, 1);
    if (total > 16 * 1024 * 1024) fail(7);
    return new VArray(sizes, new Array(total), fixed);
  }
  VB.makeArray = make;
  VB.arrayOf = function (items) { return new VArray([items.length], items, false); };
  VB.copyValue = function (v) {
    return v instanceof VArray ? new VArray(v.sizes.slice(), v.data.slice(), false) : v;
  };

  // The position of an element in `data`, by its indexes.
  function offset(a, indexes) {
    if (indexes.length !== a.sizes.length) fail(9);
    var at = 0;
    for (var d = 0; d < indexes.length; d++) {
      var i = indexes[d];
      if (typeof i !== 'number' || i !== (i | 0)) i = VB.roundEven(VB.toNumber(i));
      if (!(i >= 0 && i < a.sizes[d])) fail(9);
      at = at * a.sizes[d] + i;
    }
    return at;
  }
  VB.arrayOffset = offset;

  VB.element = function (a, indexes) {
    if (a instanceof Uint8Array) {
      if (indexes.length !== 1) fail(9);
      var i = VB.roundEven(VB.toNumber(indexes[0]));
      if (!(i >= 0 && i < a.length)) fail(9);
      return VB.num(a[i], VB.T.BYTE);
    }
    return a.data[offset(a, indexes)];
  };
  VB.setElement = function (a, indexes, value) {
    if (a instanceof Uint8Array) {
      var i = VB.roundEven(VB.toNumber(indexes[0]));
      if (!(i >= 0 && i < a.length) || indexes.length !== 1) fail(9);
      a[i] = VB.CByte(value) instanceof VB.Num ? VB.CByte(value).v : VB.CByte(value);
      return;
    }
    a.data[offset(a, indexes)] = VB.copyValue(value);
  };

  // ReDim: a new size; Preserve keeps the elements (only the last dimension may change then).
  VB.redim = function (old, bounds, preserve) {
    if (old instanceof VArray && old.fixed) fail(10);
    var fresh = make(bounds, false);
    if (!preserve || !(old instanceof VArray) || !old.sizes.length) return fresh;
    if (old.sizes.length !== fresh.sizes.length) fail(9);
    for (var d = 0; d < old.sizes.length - 1; d++) if (old.sizes[d] !== fresh.sizes[d]) fail(9);
    var lastOld = old.sizes[old.sizes.length - 1], lastNew = fresh.sizes[fresh.sizes.length - 1];
    var rows = old.data.length / (lastOld || 1), keep = Math.min(lastOld, lastNew);
    for (var r = 0; r < rows; r++) {
      for (var c = 0; c < keep; c++) fresh.data[r * lastNew + c] = old.data[r * lastOld + c];
    }
    return fresh;
  };

  // Erase: a fixed array's elements back to Empty, a dynamic array gone.
  VB.erase = function (a) {
    if (!(a instanceof VArray)) fail(13);
    if (!a.fixed) return new VArray([], [], false);
    for (var i = 0; i < a.data.length; i++) a.data[i] = a.data[i] instanceof VArray ? VB.erase(a.data[i]) : undefined;
    return a;
  };

  // UBound and LBound of dimension `dim` (1-based).
  VB.bound = function (a, dim, upper) {
    var d = dim === undefined ? 1 : VB.roundEven(VB.toNumber(dim));
    if (a instanceof Uint8Array) {
      if (d !== 1) fail(9);
      return upper ? a.length - 1 : 0;
    }
    if (Array.isArray(a)) return upper ? a.length - 1 : 0;  // the page's own arrays, leniently
    if (!(a instanceof VArray)) fail(13);
    if (!(d >= 1 && d <= a.sizes.length)) fail(9);
    return upper ? VB.num(a.sizes[d - 1] - 1, VB.T.LONG) : VB.num(0, VB.T.LONG);
  };
})(VB);
