// FormatNumber, FormatCurrency and FormatPercent with the desk's defaults: two
// places, a leading zero, thousands grouped by commas, the yuan sign ￥.
(function (VB) {
  'use strict';

  var def = VB.builtin, arg = VB.arg, fail = VB.fail;
  var USE_DEFAULT = -2;

  // A decimal text of |v| rounded to `places`, halves away from zero, from the
  // number's fifteen significant digits (as VBScript sees 1.005, not its binary).
  function fixed(v, places) {
    var m = /^(\d)\.?(\d*)e([+-]\d+)$/.exec(Math.abs(v).toExponential(14));
    var digits = m[1] + m[2], point = Number(m[3]) + 1;  // digits before the point
    if (point <= 0) {
      digits = '0'.repeat(1 - point) + digits;
      point = 1;
    }
    var keep = point + places;
    var kept = digits.slice(0, Math.max(0, keep)).split('').map(Number);
    while (kept.length < keep) kept.push(0);
    if (Number(digits.charAt(keep) || 0) >= 5) {
      var k = kept.length - 1;
      for (; k >= 0; k--) {
        if (kept[k] < 9) {
          kept[k]++;
          break;
        }
        kept[k] = 0;
      }
      if (k < 0) {
        kept.unshift(1);
        point++;
      }
    }
    var whole = kept.slice(0, point).join('').replace(/^0+(?=\d)/, '') || '0';
    var fraction = kept.slice(point).join('');
    return {whole: whole, fraction: fraction, zero: /^0*$/.test(whole + fraction)};
  }

  function option(args, i, otherwise) {
    var v = arg(args, i, USE_DEFAULT);
    if (v === null) fail(94);
    var n = VB.roundEven(VB.toNumber(v));
    return n === USE_DEFAULT ? otherwise : n !== 0;
  }

  // The number written out; `wrap(text, negative)` adds the sign (or brackets) and any symbol.
  function format(args, scale, wrap) {
    if (args[0] === null) fail(94);
    var v = VB.toNumber(args[0]) * scale;
    var places = VB.roundEven(VB.toNumber(arg(args, 1, -1)));
    if (places === -1) places = 2;
    if (places < -1 || places > 255) fail(5);
    var leading = option(args, 2, true), brackets = option(args, 3, false), group = option(args, 4, true);
    var f = fixed(v, places);
    var whole = f.whole;
    if (group) whole = whole.replace(/\B(?=(\d{3})+(?!\d))/g, ',');
    if (whole === '0' && !leading && places > 0) whole = '';
    var text = whole + (places > 0 ? '.' + f.fraction : '');
    var negative = v < 0 && !f.zero;
    if (negative && brackets) return '(' + wrap(text, false) + ')';
    return wrap(text, negative);
  }

  def('FormatNumber', 1, 5, function (a) {
    return format(a, 1, function (text, negative) { return (negative ? '-' : '') + text; });
  });
  def('FormatCurrency', 1, 5, function (a) {
    return format(a, 1, function (text, negative) { return '\uffe5' + (negative ? '-' : '') + text; });
  });
  def('FormatPercent', 1, 5, function (a) {
    return format(a, 100, function (text, negative) { return (negative ? '-' : '') + text + '%'; });
  });
})(VB);
