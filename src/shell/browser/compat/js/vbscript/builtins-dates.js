// The date functions: Now, Date, Time, Timer, the parts of a date, DateAdd,
// DateDiff, DatePart, DateSerial, TimeSerial, DateValue, TimeValue,
// WeekdayName, MonthName and FormatDateTime.
(function (VB) {
  'use strict';

  var def = VB.builtin, arg = VB.arg, fail = VB.fail, T = VB.T, VDate = VB.VDate;

  function date(x) { return VB.toDate(x).v; }
  function whole(x) {
    if (x === null) fail(94);
    return VB.roundEven(VB.toNumber(x));
  }

  def('Now', 0, 0, function () { return new VDate(VB.nowSerial()); });
  def('Date', 0, 0, function () { return new VDate(Math.floor(VB.nowSerial())); });
  def('Time', 0, 0, function () {
    var v = VB.nowSerial();
    return new VDate(v - Math.floor(v));
  });
  def('Timer', 0, 0, function () {
    var d = new Date();
    var seconds = d.getHours() * 3600 + d.getMinutes() * 60 + d.getSeconds() + d.getMilliseconds() / 1000;
    return VB.num(Math.fround(seconds), T.SINGLE);
  });

  [['Year', 0], ['Month', 1], ['Day', 2], ['Hour', 3], ['Minute', 4], ['Second', 5]].forEach(function (p) {
    def(p[0], 1, 1, function (a) { return a[0] === null ? null : VB.dateParts(date(a[0]))[p[1]]; });
  });

  // The weekday 1..7 counted from `first` (vbSunday = 1; 0: the desk's, Monday... as Sunday here).
  function weekday(v, first) {
    var sunday = VB.dateParts(v)[6];
    first = first || 1;
    return (sunday - first + 7) % 7 + 1;
  }
  def('Weekday', 1, 2, function (a) {
    if (a[0] === null) return null;
    return weekday(date(a[0]), whole(arg(a, 1, 1)));
  });

  var WEEKDAYS = ['星期日', '星期一', '星期二', '星期三', '星期四', '星期五', '星期六'];
  var SHORT_WEEKDAYS = ['日', '一', '二', '三', '四', '五', '六'];
  var MONTHS = ['一月', '二月', '三月', '四月', '五月', '六月', '七月', '八月', '九月', '十月', '十一月', '十二月'];
  def('WeekdayName', 1, 3, function (a) {
    var n = whole(a[0]), first = whole(arg(a, 2, 1)) || 1;
    if (n < 1 || n > 7) fail(5);
    var i = (n - 1 + first - 1) % 7;
    return VB.toBool(arg(a, 1, false)) ? SHORT_WEEKDAYS[i] : WEEKDAYS[i];
  });
  def('MonthName', 1, 2, function (a) {
    var n = whole(a[0]);
    if (n < 1 || n > 12) fail(5);
    return MONTHS[n - 1];
  });

  def('DateSerial', 3, 3, function (a) {
    var y = whole(a[0]);
    if (y >= 0 && y < 30) y += 2000;
    else if (y >= 30 && y < 100) y += 1900;
    return new VDate(VB.dateSerial(y, whole(a[1]), whole(a[2]), 0));
  });
  def('TimeSerial', 3, 3, function (a) {
    var seconds = whole(a[0]) * 3600 + whole(a[1]) * 60 + whole(a[2]);
    return new VDate(VB.dateFromLinear(seconds));
  });
  def('DateValue', 1, 1, function (a) {
    if (a[0] === null) return null;
    var v = date(a[0]);
    return new VDate(v < 0 ? Math.ceil(v) : Math.floor(v));
  });
  def('TimeValue', 1, 1, function (a) {
    if (a[0] === null) return null;
    var s = VB.dateLinear(date(a[0]));
    return new VDate(((s % 86400) + 86400) % 86400 / 86400);
  });

  // Intervals: yyyy q m y d w ww h n s.
  function interval(x) {
    var i = String(VB.toStr(x)).toLowerCase();
    if (!/^(yyyy|q|m|y|d|w|ww|h|n|s)$/.test(i)) fail(5);
    return i;
  }
  function addMonths(v, months) {
    var p = VB.dateParts(v);
    var total = p[0] * 12 + (p[1] - 1) + months;
    var y = Math.floor(total / 12), m = total % 12 + 1;
    var d = Math.min(p[2], VB.daysInMonth(y, m));
    return VB.dateSerial(y, m, d, p[3] * 3600 + p[4] * 60 + p[5]);
  }
  def('DateAdd', 3, 3, function (a) {
    var i = interval(a[0]);
    if (a[1] === null || a[2] === null) fail(94);
    var n = Math.trunc(VB.toNumber(a[1])), v = date(a[2]);
    var seconds = {y: 86400, d: 86400, w: 86400, ww: 604800, h: 3600, n: 60, s: 1}[i];
    if (seconds) return new VDate(VB.dateFromLinear(VB.dateLinear(v) + n * seconds));
    return new VDate(addMonths(v, i === 'yyyy' ? n * 12 : i === 'q' ? n * 3 : n));
  });

  // DateDiff counts the boundaries crossed between the two dates.
  def('DateDiff', 3, 5, function (a) {
    var i = interval(a[0]);
    if (a[1] === null || a[2] === null) return null;
    var v1 = date(a[1]), v2 = date(a[2]);
    var p1 = VB.dateParts(v1), p2 = VB.dateParts(v2);
    var s1 = VB.dateLinear(v1), s2 = VB.dateLinear(v2);
    var d1 = Math.floor(s1 / 86400), d2 = Math.floor(s2 / 86400);
    var result;
    switch (i) {
      case 'yyyy': result = p2[0] - p1[0]; break;
      case 'q': result = (p2[0] * 4 + Math.floor((p2[1] - 1) / 3)) - (p1[0] * 4 + Math.floor((p1[1] - 1) / 3)); break;
      case 'm': result = (p2[0] * 12 + p2[1]) - (p1[0] * 12 + p1[1]); break;
      case 'y': case 'd': result = d2 - d1; break;
      case 'w': result = Math.trunc((d2 - d1) / 7); break;
      case 'ww': {
        var first = whole(arg(a, 3, 1)) || 1;
        var start = function (d, v) { return d - (weekday(v, first) - 1); };
        result = (start(d2, v2) - start(d1, v1)) / 7;
        break;
      }
      case 'h': result = Math.floor(s2 / 3600) - Math.floor(s1 / 3600); break;
      case 'n': result = Math.floor(s2 / 60) - Math.floor(s1 / 60); break;
      default: result = s2 - s1;
    }
    return VB.num(result, T.LONG);
  });

  def('DatePart', 2, 4, function (a) {
    var i = interval(a[0]);
    if (a[1] === null) return null;
    var v = date(a[1]), p = VB.dateParts(v);
    switch (i) {
      case 'yyyy': return p[0];
      case 'q': return Math.floor((p[1] - 1) / 3) + 1;
      case 'm': return p[1];
      case 'y': return Math.floor(VB.dateLinear(v) / 86400) - Math.floor(VB.dateLinear(VB.dateSerial(p[0], 1, 1, 0)) / 86400) + 1;
      case 'd': return p[2];
      case 'w': return weekday(v, whole(arg(a, 2, 1)));
      case 'ww': {
        var jan1 = VB.dateSerial(p[0], 1, 1, 0), first = whole(arg(a, 2, 1)) || 1;
        var days = Math.floor(VB.dateLinear(v) / 86400) - Math.floor(VB.dateLinear(jan1) / 86400);
        return Math.floor((days + weekday(jan1, first) - 1) / 7) + 1;
      }
      case 'h': return p[3];
      case 'n': return p[4];
      default: return p[5];
    }
  });

  def('FormatDateTime', 1, 2, function (a) {
    if (a[0] === null) fail(94);
    var format = whole(arg(a, 1, 0));
    if (format < 0 || format > 4) fail(5);
    return VB.formatDateAs(date(a[0]), format);
  });
})(VB);
