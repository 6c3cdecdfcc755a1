// Conversions (CInt, CLng, CDbl, CSng, CStr, CBool, CDate, CByte, CCur), tests
// (IsNumeric, IsDate, IsEmpty, IsNull, IsArray, IsObject, TypeName, VarType),
// and numbers (Int, Fix, Round to even, Abs, Sgn, Hex, Oct, Rnd, the maths).
(function (VB) {
  'use strict';

  var def = VB.builtin, arg = VB.arg, fail = VB.fail, T = VB.T;

  [['CInt', VB.CInt], ['CLng', VB.CLng], ['CDbl', VB.CDbl], ['CSng', VB.CSng], ['CStr', VB.CStr],
   ['CBool', VB.CBool], ['CByte', VB.CByte], ['CCur', VB.CCur], ['CDate', VB.toDate]].forEach(function (c) {
    def(c[0], 1, 1, function (a) { return c[1](a[0]); });
  });

  def('IsNumeric', 1, 1, function (a) { return VB.looksNumeric(a[0]); });
  def('IsDate', 1, 1, function (a) {
    var t = VB.typeOf(a[0]);
    if (t === T.DATE) return true;
    if (t !== T.STRING) return false;
    return VB.parseDate(VB.toStr(a[0])) === VB.parseDate(VB.toStr(a[0]));
  });
  def('IsEmpty', 1, 1, function (a) { return a[0] === undefined; });
  def('IsNull', 1, 1, function (a) { return a[0] === null; });
  def('IsArray', 1, 1, function (a) { return VB.isArray(a[0]); });
  def('IsObject', 1, 1, function (a) { return VB.isObject(a[0]); });
  def('TypeName', 1, 1, function (a) { return VB.typeName(a[0]); });
  def('VarType', 1, 1, function (a) { return VB.typeOf(a[0]); });

  // The numeric argument of a function that keeps its subtype; null for Null.
  function numeric(x) {
    if (x === null) return null;
    return VB.numeric(x);
  }
  function same(v, t) {
    if (t === T.DATE) return new VB.VDate(v);
    if (t === T.BOOLEAN) t = T.INTEGER;
    return VB.fit(v === 0 ? 0 : v, t);
  }
  def('Int', 1, 1, function (a) {
    var x = numeric(a[0]);
    return x && same(Math.floor(x[0]), x[1]);
  });
  def('Fix', 1, 1, function (a) {
    var x = numeric(a[0]);
    return x && same(Math.trunc(x[0]), x[1]);
  });
  def('Abs', 1, 1, function (a) {
    var x = numeric(a[0]);
    return x && same(Math.abs(x[0]), x[1]);
  });
  def('Sgn', 1, 1, function (a) {
    var x = numeric(a[0]);
    return x && Math.sign(x[0]);
  });
  // Round(number[, places]): halves go to the even neighbour.
  def('Round', 1, 2, function (a) {
    var x = numeric(a[0]);
    if (!x) return null;
    var places = VB.roundEven(VB.toNumber(arg(a, 1, 0)));
    if (places < 0) fail(5);
    var scale = Math.pow(10, places), scaled = x[0] * scale;
    // Decimal halves that binary fractions miss by a hair (2.675 * 100) count as halves.
    var near = Number(scaled.toPrecision(15));
    var v = VB.roundEven(Math.abs(near % 1) === 0.5 ? near : scaled) / scale;
    return same(v, x[1]);
  });

  // Hex and Oct: an Integer in 16 bits, anything else in 32.
  function radix(a, base) {
    if (a[0] === null) return null;
    var x = VB.numeric(a[0]);
    var v = VB.roundEven(x[0]);
    if (!(v >= -2147483648 && v <= 2147483647)) fail(6);
    var short = (x[1] === T.INTEGER || x[1] === T.BYTE || x[1] === T.BOOLEAN) && v >= -32768 && v <= 32767;
    if (v < 0) v += short ? 0x10000 : 0x100000000;
    return v.toString(base).toUpperCase();
  }
  def('Hex', 1, 1, function (a) { return radix(a, 16); });
  def('Oct', 1, 1, function (a) { return radix(a, 8); });

  function math(name, fn, check) {
    def(name, 1, 1, function (a) {
      if (a[0] === null) return null;
      var x = VB.toNumber(a[0]);
      if (check && !check(x)) fail(5);
      return VB.num(fn(x), T.DOUBLE);
    });
  }
  math('Sqr', Math.sqrt, function (x) { return x >= 0; });
  math('Exp', Math.exp);
  math('Log', Math.log, function (x) { return x > 0; });
  math('Sin', Math.sin);
  math('Cos', Math.cos);
  math('Tan', Math.tan);
  math('Atn', Math.atan);

  // Rnd and Randomize: VBScript's generator, a 24-bit linear congruence.
  var seed = 0x50000, last = seed;
  function nextSeed(s) { return (s * 0xfd43fd + 0xc39ec3) % 0x1000000; }
  function bits(x) {
    var view = new DataView(new ArrayBuffer(8));
    view.setFloat32(0, x);
    return view.getUint32(0);
  }
  def('Rnd', 0, 1, function (a) {
    var n = arg(a, 0, 1);
    var x = n === 1 ? 1 : VB.toNumber(n);
    if (x < 0) {
      var b = bits(x);
      seed = nextSeed(((b & 0xffffff) + (b >>> 24)) & 0xffffff);
    } else if (x > 0) {
      seed = nextSeed(seed);
    }
    last = seed;
    return VB.num(Math.fround(last / 0x1000000), T.SINGLE);
  });
  def('Randomize', 0, 1, function (a) {
    var n = arg(a, 0, VB.MISSING);
    var x = n === VB.MISSING ? Date.now() % 86400000 / 1000 : VB.toNumber(n);
    var b = bits(x);
    seed = (seed & 0xff) | ((((b >>> 8) ^ (b >>> 24)) & 0xffff) << 8);
    seed %= 0x1000000;
  });
})(VB);
