// VBScript's operators: the subtype of a result (an Integer sum that no longer
// fits becomes a Long, then a Double), Null passing through, Empty as 0 or "",
// the integer operators rounding first, comparisons of numbers with strings,
// and And, Or, Not as bitwise operators on numbers.
(function (VB) {
  'use strict';

  var T = VB.T, Num = VB.Num, VDate = VB.VDate, Bytes = VB.Bytes;
  var fail = VB.fail, numeric = VB.numeric, num = VB.num, toStr = VB.toStr;

  var RANK = {};
  RANK[T.BYTE] = 1;
  RANK[T.BOOLEAN] = 2;
  RANK[T.INTEGER] = 2;
  RANK[T.LONG] = 3;
  RANK[T.SINGLE] = 4;
  RANK[T.DOUBLE] = 5;

  // The subtype of a + - * result of two subtypes.
  function resultType(ta, tb) {
    if (ta === T.CURRENCY || tb === T.CURRENCY) {
      return ta === T.DOUBLE || tb === T.DOUBLE || ta === T.SINGLE || tb === T.SINGLE ? T.DOUBLE : T.CURRENCY;
    }
    var ra = RANK[ta], rb = RANK[tb];
    if ((ta === T.SINGLE && tb === T.LONG) || (tb === T.SINGLE && ta === T.LONG)) return T.DOUBLE;
    var t = ra >= rb ? ta : tb;
    return t === T.BOOLEAN ? T.INTEGER : ta === T.BYTE && tb === T.BYTE ? T.BYTE : t === T.BYTE ? T.INTEGER : t;
  }
  // A result of subtype t, promoted to a wider one when it does not fit.
  function fit(v, t) {
    if (t === T.BYTE) {
      if (v >= 0 && v <= 255) return new Num(v, T.BYTE);
      t = T.INTEGER;
    }
    if (t === T.INTEGER) {
      if (v >= -32768 && v <= 32767) return v;
      t = T.LONG;
    }
    if (t === T.LONG) {
      if (v >= -2147483648 && v <= 2147483647) return num(v, T.LONG);
      t = T.DOUBLE;
    }
    if (t === T.SINGLE) {
      var s = Math.fround(v);
      if (isFinite(s)) return new Num(s, T.SINGLE);
      t = T.DOUBLE;
    }
    if (!isFinite(v)) fail(6);
    if (t === T.CURRENCY) {
      if (Math.abs(v) > 922337203685477.5807) fail(6);
      return new Num(Math.round(v * 10000) / 10000, T.CURRENCY);
    }
    return num(v, T.DOUBLE);
  }
  VB.fit = fit;

  function isStringish(x) { return typeof x === 'string' || x instanceof Bytes; }

  // + - * for everything but two plain numbers.
  function arithmetic(a, b, op) {
    if (a === null || b === null) return null;
    var x = numeric(a), y = numeric(b);
    var v = op === 0 ? x[0] + y[0] : op === 1 ? x[0] - y[0] : x[0] * y[0];
    if (op !== 2 && (x[1] === T.DATE || y[1] === T.DATE)) {
      if (op === 1 && x[1] === T.DATE && y[1] === T.DATE) return fit(v, T.DOUBLE);
      if (!(v >= -657434 && v < 2958466)) fail(6);
      return new VDate(v);
    }
    var ta = x[1] === T.DATE ? T.DOUBLE : x[1], tb = y[1] === T.DATE ? T.DOUBLE : y[1];
    return fit(v, resultType(ta, tb));
  }

  VB.add = function (a, b) {
    if (typeof a === 'number' && typeof b === 'number') {
      var s = a + b;
      if (s === (s | 0) && a === (a | 0) && b === (b | 0)) {
        // Integer + Integer stays an Integer when it fits, as the implied subtype says.
        if ((a < -32768 || a > 32767 || b < -32768 || b > 32767) && s >= -32768 && s <= 32767) return num(s, T.LONG);
        return s;
      }
      return arithmetic(a, b, 0);
    }
    if (isStringish(a) && isStringish(b)) return concatText(a, b);
    if (a === undefined && isStringish(b)) return b;
    if (b === undefined && isStringish(a)) return a;
    return arithmetic(a, b, 0);
  };
  VB.sub = function (a, b) { return arithmetic(a, b, 1); };
  VB.mul = function (a, b) { return arithmetic(a, b, 2); };

  VB.div = function (a, b) {
    if (a === null || b === null) return null;
    var x = numeric(a), y = numeric(b);
    if (y[0] === 0) fail(x[0] === 0 ? 6 : 11);
    var single = (x[1] === T.SINGLE || y[1] === T.SINGLE) && RANK[x[1]] <= 4 && RANK[y[1]] <= 4 &&
                 x[1] !== T.LONG && y[1] !== T.LONG;
    return fit(x[0] / y[0], single ? T.SINGLE : T.DOUBLE);
  };

  // The operands of \ and Mod: rounded to whole numbers of 32 bits.
  function integral(a) {
    var x = numeric(a);
    var v = VB.roundEven(x[0]);
    if (!(v >= -2147483648 && v <= 2147483647)) fail(6);
    return [v, x[1] === T.BYTE ? T.BYTE : RANK[x[1]] === 2 ? T.INTEGER : T.LONG];
  }
  function integralType(ta, tb) {
    if (ta === T.BYTE && tb === T.BYTE) return T.BYTE;
    return ta === T.LONG || tb === T.LONG ? T.LONG : T.INTEGER;
  }
  VB.idiv = function (a, b) {
    if (a === null || b === null) return null;
    var x = integral(a), y = integral(b);
    if (y[0] === 0) fail(11);
    return fit(Math.trunc(x[0] / y[0]), integralType(x[1], y[1]));
  };
  VB.mod = function (a, b) {
    if (a === null || b === null) return null;
    var x = integral(a), y = integral(b);
    if (y[0] === 0) fail(11);
    var r = x[0] % y[0];
    return fit(r === 0 ? 0 : r, integralType(x[1], y[1]));
  };
  VB.pow = function (a, b) {
    if (a === null || b === null) return null;
    var x = numeric(a)[0], y = numeric(b)[0];
    var v = Math.pow(x, y);
    if (v !== v) fail(5);
    if (!isFinite(v)) fail(x === 0 ? 5 : 6);
    return num(v, T.DOUBLE);
  };
  VB.neg = function (a) {
    if (typeof a === 'number' && a !== -32768 && a !== 0) return -a;
    if (a === null) return null;
    if (a === undefined) return 0;
    var x = numeric(a);
    if (x[1] === T.DATE) return new VDate(-x[0]);
    var t = x[1] === T.BOOLEAN ? T.INTEGER : x[1] === T.BYTE ? T.INTEGER : isStringish(a) ? T.DOUBLE : x[1];
    return fit(x[0] === 0 ? 0 : -x[0], t);
  };

  // ---------------------------------------------------------- strings

  // Text joined as bytes when a byte string of odd length takes part.
  function concatText(a, b) {
    if (typeof a === 'string' && typeof b === 'string') return a + b;
    return VB.joinBytes(a, b);
  }
  VB.concat = function (a, b) {
    if (a === null && b === null) return null;
    var x = a === null ? '' : a instanceof Bytes ? a : a instanceof Uint8Array ? VB.packBytes(a) : toStr(a);
    var y = b === null ? '' : b instanceof Bytes ? b : b instanceof Uint8Array ? VB.packBytes(b) : toStr(b);
    return concatText(x, y);
  };

  // ------------------------------------------------------- comparisons

  function kind(x) {
    if (x === undefined) return 'empty';
    if (isStringish(x)) return 'string';
    var t = VB.typeOf(x);
    if (VB.isNumericType(t)) return 'number';
    if (t === T.OBJECT && x !== VB.NOTHING) return kind(VB.defaultValue(x));
    fail(13);
  }
  function order(a, b) { return a < b ? -1 : a > b ? 1 : 0; }
  function textOrder(a, b) { return order(toStr(a), toStr(b)); }

  // -1, 0 or 1; null when Null takes part. A literal number against a string
  // that reads as a number compares numbers, a literal string against a number
  // compares texts; otherwise a number is less than any string.
  VB.compare = function (a, b, literalA, literalB) {
    if (typeof a === 'number' && typeof b === 'number') return order(a, b);
    if (typeof a === 'string' && typeof b === 'string' && !literalA && !literalB) return order(a, b);
    if (a === null || b === null) return null;
    if (a !== undefined && typeof a === 'object' && VB.isObject(a)) a = VB.defaultValue(a);
    if (b !== undefined && typeof b === 'object' && VB.isObject(b)) b = VB.defaultValue(b);
    if (a === null || b === null) return null;
    var ka = kind(a), kb = kind(b);
    if (ka === 'empty' && kb === 'empty') return 0;
    if (ka === 'empty') return kb === 'string' ? textOrder('', b) : order(0, numeric(b)[0]);
    if (kb === 'empty') return ka === 'string' ? textOrder(a, '') : order(numeric(a)[0], 0);
    if (ka === kb) return ka === 'string' ? textOrder(a, b) : order(numeric(a)[0], numeric(b)[0]);
    var text = ka === 'string' ? a : b, number = ka === 'string' ? b : a;
    var literalText = ka === 'string' ? literalA : literalB, literalNumber = ka === 'string' ? literalB : literalA;
    if (literalNumber) {
      var read = VB.parseNumber(toStr(text));
      if (read === read) return ka === 'string' ? order(read, numeric(number)[0]) : order(numeric(number)[0], read);
    }
    if (literalText) return ka === 'string' ? textOrder(text, number) : textOrder(number, text);
    return ka === 'string' ? 1 : -1;
  };

  VB.is = function (a, b) {
    var oa = a === null ? VB.NOTHING : a, ob = b === null ? VB.NOTHING : b;
    if (!VB.isObject(oa) || !VB.isObject(ob)) fail(424);
    return oa === ob;
  };

  // ----------------------------------------------------------- logic

  // The operands of the logical operators as 32-bit numbers, and the result subtype.
  function bits(a, b) {
    var x = numeric(a), y = numeric(b);
    var vx = VB.roundEven(x[0]), vy = VB.roundEven(y[0]);
    if (!(vx >= -2147483648 && vx <= 2147483647 && vy >= -2147483648 && vy <= 2147483647)) fail(6);
    var t = RANK[x[1]] === 2 && RANK[y[1]] === 2 ? T.INTEGER
          : x[1] === T.BYTE && y[1] === T.BYTE ? T.BYTE
          : (x[1] === T.BYTE || RANK[x[1]] === 2) && (y[1] === T.BYTE || RANK[y[1]] === 2) ? T.INTEGER : T.LONG;
    return [vx, vy, t];
  }
  function logic(a, b, op, nullRule) {
    if (typeof a === 'boolean' && typeof b === 'boolean') return op(a ? -1 : 0, b ? -1 : 0) !== 0;
    if (a === null || b === null) return nullRule(a, b);
    var r = bits(a, b);
    var v = op(r[0], r[1]);
    return r[2] === T.BYTE ? new Num(v & 0xff, T.BYTE) : num(v, r[2]);
  }
  function isFalse(x) { return x !== null && !VB.toBool(x); }
  function isTrue(x) { return x !== null && VB.toBool(x); }

  VB.and = function (a, b) {
    return logic(a, b, function (x, y) { return x & y; }, function (x, y) {
      return isFalse(x) || isFalse(y) ? (typeof (x === null ? y : x) === 'boolean' ? false : 0) : null;
    });
  };
  VB.or = function (a, b) {
    return logic(a, b, function (x, y) { return x | y; }, function (x, y) {
      var other = x === null ? y : x;
      if (!isTrue(other)) return null;
      return typeof other === 'boolean' ? true : other;
    });
  };
  VB.xor = function (a, b) {
    return logic(a, b, function (x, y) { return x ^ y; }, function () { return null; });
  };
  VB.eqv = function (a, b) {
    return logic(a, b, function (x, y) { return ~(x ^ y); }, function () { return null; });
  };
  VB.imp = function (a, b) {
    return logic(a, b, function (x, y) { return ~x | y; }, function (x, y) {
      if (x === null) return isTrue(y) ? y : null;
      return isFalse(x) ? (typeof x === 'boolean' ? true : -1) : null;
    });
  };
  VB.not = function (a) {
    if (typeof a === 'boolean') return !a;
    if (a === null) return null;
    if (a === undefined) return -1;
    var x = numeric(a);
    var v = VB.roundEven(x[0]);
    if (!(v >= -2147483648 && v <= 2147483647)) fail(6);
    if (x[1] === T.BYTE) return new Num(~v & 0xff, T.BYTE);
    return num(~v, RANK[x[1]] === 2 ? T.INTEGER : T.LONG);
  };
})(VB);
