// Dates as VBScript keeps them (days since 30 December 1899, the time of day
// as the fraction), read and written as on a Chinese Windows desk: 2004-5-1
// and 13:05:09, 2004年5月1日.
(function (VB) {
  'use strict';

  var fail = VB.fail;
  var EPOCH = daysFromCivil(1899, 12, 30);

  // Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
  function daysFromCivil(y, m, d) {
    y -= m <= 2 ? 1 : 0;
    var era = Math.floor(y / 400);
    var yoe = y - era * 400;
    var doy = Math.floor((153 * (m + (m > 2 ? -3 : 9)) + 2) / 5) + d - 1;
    var doe = yoe * 365 + Math.floor(yoe / 4) - Math.floor(yoe / 100) + doy;
    return era * 146097 + doe - 719468;
  }
  function civilFromDays(z) {
    z += 719468;
    var era = Math.floor(z / 146097);
    var doe = z - era * 146097;
    var yoe = Math.floor((doe - Math.floor(doe / 1460) + Math.floor(doe / 36524) - Math.floor(doe / 146096)) / 365);
    var doy = doe - (365 * yoe + Math.floor(yoe / 4) - Math.floor(yoe / 100));
    var mp = Math.floor((5 * doy + 2) / 153);
    var d = doy - Math.floor((153 * mp + 2) / 5) + 1;
    var m = mp + (mp < 10 ? 3 : -9);
    return [era * 400 + yoe + (m <= 2 ? 1 : 0), m, d];
  }
  function daysInMonth(y, m) {
    return daysFromCivil(m === 12 ? y + 1 : y, m === 12 ? 1 : m + 1, 1) - daysFromCivil(y, m, 1);
  }
  VB.daysInMonth = daysInMonth;

  // A serial from its parts; day and month may run over, as DateSerial lets them.
  function serial(y, m, d, seconds) {
    y += Math.floor((m - 1) / 12);
    m = ((m - 1) % 12 + 12) % 12 + 1;
    if (y < 100 || y > 9999) fail(5);
    var days = daysFromCivil(y, m, 1) + d - 1 - EPOCH;
    return fromLinear(days * 86400 + (seconds || 0));
  }
  VB.dateSerial = serial;

  // Seconds on a straight time line, and back: a negative serial keeps its
  // time of day as a positive fraction (-1.25 is 29 December 1899, 06:00).
  function linear(v) {
    var days = v < 0 ? Math.ceil(v) : Math.floor(v);
    var time = Math.round(Math.abs(v - days) * 86400);
    return days * 86400 + time;
  }
  function fromLinear(seconds) {
    var days = Math.floor(seconds / 86400);
    var time = (seconds - days * 86400) / 86400;
    return days >= 0 ? days + time : days - time;
  }
  VB.dateLinear = linear;
  VB.dateFromLinear = fromLinear;

  // [year, month, day, hour, minute, second, weekday 1..7 from Sunday].
  function parts(v) {
    var s = linear(v);
    var days = Math.floor(s / 86400), time = s - days * 86400;
    var ymd = civilFromDays(days + EPOCH);
    var weekday = ((days + EPOCH + 4) % 7 + 7) % 7 + 1;
    return [ymd[0], ymd[1], ymd[2], Math.floor(time / 3600), Math.floor(time / 60) % 60, time % 60, weekday];
  }
  VB.dateParts = parts;

  function checkRange(v) {
    if (!(v >= -657434 && v < 2958466)) fail(5);  // 100-01-01 .. 9999-12-31
    return v;
  }

  // ------------------------------------------------------------ writing

  function two(n) { return (n < 10 ? '0' : '') + n; }
  function datePart(p) { return p[0] + '-' + p[1] + '-' + p[2]; }
  function timePart(p) { return p[3] + ':' + two(p[4]) + ':' + two(p[5]); }

  // A date as CStr writes it: the date, the time of day, or both.
  VB.formatDate = function (v) {
    var p = parts(v);
    var s = linear(v), hasDate = Math.floor(s / 86400) !== 0, hasTime = s % 86400 !== 0;
    if (hasDate && hasTime) return datePart(p) + ' ' + timePart(p);
    if (hasDate) return datePart(p);
    return timePart(p);
  };
  // FormatDateTime's named formats.
  VB.formatDateAs = function (v, format) {
    var p = parts(v);
    switch (format) {
      case 1: return p[0] + '年' + p[1] + '月' + p[2] + '日';
      case 2: return datePart(p);
      case 3: return timePart(p);
      case 4: return two(p[3]) + ':' + two(p[4]);
      default: return VB.formatDate(v);
    }
  };

  // ------------------------------------------------------------ reading

  var MONTHS = ['jan', 'feb', 'mar', 'apr', 'may', 'jun', 'jul', 'aug', 'sep', 'oct', 'nov', 'dec'];
  function year(text) {
    var y = Number(text);
    if (text.length <= 2) y += y < 30 ? 2000 : 1900;
    return y;
  }
  function validDate(y, m, d) {
    return m >= 1 && m <= 12 && d >= 1 && y >= 100 && y <= 9999 && d <= daysInMonth(y, m);
  }

  // The time of day of a text ("13:05", "1:05:09 PM", "下午 1:05"), in seconds;
  // null when it has none, NaN when it is wrong.
  function readTime(text) {
    var m = /(\d{1,2})\s*:\s*(\d{1,2})(?:\s*:\s*(\d{1,2}))?\s*(am|pm|a|p|上午|下午)?/i.exec(text);
    var before = /(上午|下午)\s*(\d{1,2})\s*:/.exec(text);
    if (!m) return null;
    var h = Number(m[1]), mi = Number(m[2]), s = Number(m[3] || 0);
    var half = (m[4] || (before && before[1]) || '').toLowerCase();
    if (half) {
      if (h < 1 || h > 12) return NaN;
      if (/^(p|pm|下午)$/.test(half) && h < 12) h += 12;
      if (/^(a|am|上午)$/.test(half) && h === 12) h = 0;
    }
    if (h > 23 || mi > 59 || s > 59) return NaN;
    return h * 3600 + mi * 60 + s;
  }
  // The date of a text, [y, m, d]; null when it has none, [] when it is wrong.
  // `usOrder`: as literals #5/1/04# read (month first); otherwise as the desk reads (year first).
  function readDate(text, usOrder) {
    var m = /(\d{1,4})\s*年\s*(\d{1,2})\s*月\s*(\d{1,2})\s*日?/.exec(text);
    if (m) return [year(m[1]), Number(m[2]), Number(m[3])];
    m = /([a-z]{3,})\.?\s*(\d{1,2})?\s*,?\s*(\d{1,4})?/i.exec(text);
    var named = m && MONTHS.indexOf(m[1].slice(0, 3).toLowerCase()) >= 0;
    if (named) {
      var month = MONTHS.indexOf(m[1].slice(0, 3).toLowerCase()) + 1;
      var before = /(\d{1,2})[\s-]+[a-z]{3,}\.?[\s-]+(\d{1,4})/i.exec(text);
      if (before) return [year(before[2]), month, Number(before[1])];
      if (m[2] && m[3]) return [year(m[3]), month, Number(m[2])];
      return [];
    }
    var numbers = text.replace(/\d{1,2}\s*:\s*\d{1,2}(\s*:\s*\d{1,2})?/, ' ').match(/\d+/g);
    if (!numbers) return null;
    if (!/^[\s\d\/.\-,]*(am|pm|a|p|上午|下午)?[\s\d\/.\-,]*$/i.test(text.replace(/\d{1,2}\s*:\s*\d{1,2}(\s*:\s*\d{1,2})?/, ' '))) {
      return [];
    }
    var n = numbers.map(Number), now = parts(VB.nowSerial());
    if (numbers.length === 3) {
      if (numbers[0].length >= 3 || n[0] > 31) return [year(numbers[0]), n[1], n[2]];
      if (numbers[2].length >= 3 || n[2] > 31 || usOrder) return [year(numbers[2]), n[0], n[1]];
      return [year(numbers[0]), n[1], n[2]];
    }
    if (numbers.length === 2) {
      if (numbers[0].length >= 3 || n[0] > 31) return [year(numbers[0]), n[1], 1];
      return [now[0], n[0], n[1]];
    }
    return [];
  }

  // A text as a date (CDate, IsDate, date literals); NaN when it is none.
  function parseDate(text, usOrder) {
    text = String(text).trim();
    if (!text) return NaN;
    var time = readTime(text);
    if (time !== time) return NaN;
    var date = readDate(time === null ? text : text.replace(/(上午|下午)/, ' '), usOrder);
    if (date === null && time === null) return NaN;
    if (date && (date.length === 0 || !validDate(date[0], date[1], date[2]))) return NaN;
    var days = date ? daysFromCivil(date[0], date[1], date[2]) - EPOCH : 0;
    return fromLinear(days * 86400 + (time || 0));
  }
  VB.parseDate = parseDate;

  // CDate: numbers are serials, texts are read.
  VB.toDate = function (x) {
    if (x instanceof VB.VDate) return x;
    if (x === null) fail(94);
    var t = VB.typeOf(x);
    if (t === VB.T.STRING) {
      var v = parseDate(VB.toStr(x));
      if (v !== v) {
        var n = VB.parseNumber(VB.toStr(x));
        if (n !== n) fail(13);
        v = n;
      }
      return new VB.VDate(checkRange(v));
    }
    if (t === VB.T.OBJECT && x !== VB.NOTHING) return VB.toDate(VB.defaultValue(x));
    if (!VB.isNumericType(t) && t !== VB.T.EMPTY) fail(13);
    return new VB.VDate(checkRange(VB.toNumber(x)));
  };

  VB.nowSerial = function () {
    var d = new Date();
    return serial(d.getFullYear(), d.getMonth() + 1, d.getDate(),
                  d.getHours() * 3600 + d.getMinutes() * 60 + d.getSeconds());
  };
  // A serial for a JavaScript date, and back (local time).
  VB.fromJsDate = function (d) {
    return new VB.VDate(serial(d.getFullYear(), d.getMonth() + 1, d.getDate(),
                               d.getHours() * 3600 + d.getMinutes() * 60 + d.getSeconds()));
  };
  VB.toJsDate = function (v) {
    var p = parts(v);
    return new Date(p[0], p[1] - 1, p[2], p[3], p[4], p[5]);
  };
})(VB);
