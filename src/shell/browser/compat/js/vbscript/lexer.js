// The words of a VBScript text: names (in any letter case), numbers, strings,
// #date# literals and operators, with the line each stands on. Comments and
// the " _" line continuation go; the end of a line and ":" end statements.
(function (VB) {
  'use strict';

  var SyntaxErr = VB.VbSyntaxError, T = VB.T;

  function isLetter(c) { return /[A-Za-z\u00c0-\uffff]/.test(c); }
  function isWordChar(c) { return /[A-Za-z0-9_\u00c0-\uffff]/.test(c); }

  // Tokens: {k: 'id'|'num'|'str'|'date'|'op'|'nl'|'eof', v, lv (a name in lower case), line, space (blank before)}.
  VB.lex = function (text) {
    var tokens = [], i = 0, n = text.length, line = 1, space = false;
    function push(k, v, extra) {
      var t = {k: k, v: v, line: line, space: space};
      if (extra) for (var key in extra) t[key] = extra[key];
      tokens.push(t);
      space = false;
      return t;
    }
    function last() { return tokens.length ? tokens[tokens.length - 1] : null; }
    function atStatementStart() {
      var t = last();
      return !t || t.k === 'nl' || (t.k === 'op' && t.v === ':');
    }
    function toLineEnd() { while (i < n && text[i] !== '\n' && text[i] !== '\r') i++; }

    while (i < n) {
      var c = text[i];
      if (c === ' ' || c === '\t' || c === '\f' || c === '\v' || c === '\u3000' || c === '\u00a0') {
        i++;
        space = true;
        continue;
      }
      if (c === '\r' || c === '\n') {
        if (c === '\r' && text[i + 1] === '\n') i++;
        i++;
        if (!last() || last().k !== 'nl') push('nl', '\n');
        line++;
        space = false;
        continue;
      }
      if (c === '\'') {
        toLineEnd();
        continue;
      }
      // " _" at the end of a line continues the statement on the next.
      if (c === '_' && (space || atStatementStart()) && /^_[ \t]*(\r\n?|\n)/.test(text.slice(i, i + 80))) {
        i++;
        while (text[i] === ' ' || text[i] === '\t') i++;
        if (text[i] === '\r' && text[i + 1] === '\n') i++;
        i++;
        line++;
        space = true;
        continue;
      }
      if (c === '"') {
        var s = '', j = i + 1;
        for (;;) {
          if (j >= n || text[j] === '\n' || text[j] === '\r') throw new SyntaxErr(1033, line);
          if (text[j] === '"') {
            if (text[j + 1] === '"') {
              s += '"';
              j += 2;
              continue;
            }
            break;
          }
          s += text[j++];
        }
        i = j + 1;
        push('str', s);
        continue;
      }
      if (c === '#') {
        var end = text.indexOf('#', i + 1);
        var body = end < 0 ? '' : text.slice(i + 1, end);
        if (end < 0 || /[\r\n]/.test(body)) throw new SyntaxErr(1002, line, '#');
        var v = VB.parseDate(body, true);
        if (v !== v) throw new SyntaxErr(1002, line, '#' + body + '#');
        push('date', new VB.VDate(v));
        i = end + 1;
        continue;
      }
      if (c === '&' && /[hHoO]/.test(text[i + 1] || '')) {
        var m = /^&([hH][0-9A-Fa-f]+|[oO][0-7]+)&?/.exec(text.slice(i, i + 40));
        if (m) {
          var value = VB.radixValue(m[1].slice(1), /h/i.test(m[1][0]) ? 16 : 8);
          if (value !== value) throw new SyntaxErr(1002, line, m[0]);
          push('num', value, {t: value >= -32768 && value <= 32767 ? T.INTEGER : T.LONG});
          i += m[0].length;
          continue;
        }
      }
      var prev = last();
      var afterValue = prev && (prev.k === 'id' || prev.k === 'num' || prev.k === 'str' ||
                                (prev.k === 'op' && prev.v === ')'));
      if (/[0-9]/.test(c) || (c === '.' && /[0-9]/.test(text[i + 1] || '') && !(afterValue && !space))) {
        var num = /^(\d*\.?\d*)([eE][+-]?\d+)?/.exec(text.slice(i, i + 400))[0];
        var whole = /^\d+$/.test(num);
        var x = Number(num);
        var t = !whole ? T.DOUBLE : x <= 32767 ? T.INTEGER : x <= 2147483647 ? T.LONG : T.DOUBLE;
        push('num', x, {t: t});
        i += num.length;
        if (i < n && isLetter(text[i])) throw new SyntaxErr(1025, line);
        continue;
      }
      if (isLetter(c) || c === '[') {
        var word;
        if (c === '[') {
          var close = text.indexOf(']', i);
          if (close < 0) throw new SyntaxErr(1010, line);
          word = text.slice(i + 1, close);
          i = close + 1;
        } else {
          var k = i;
          while (k < n && isWordChar(text[k])) k++;
          word = text.slice(i, k);
          i = k;
        }
        var lower = word.toLowerCase();
        if (lower === 'rem' && c !== '[' && atStatementStart()) {
          toLineEnd();
          continue;
        }
        push('id', word, {lv: lower, bracketed: c === '['});
        continue;
      }
      var two = text.slice(i, i + 2);
      if (two === '<>' || two === '<=' || two === '>=') {
        push('op', two);
        i += 2;
        continue;
      }
      if ('=<>+-*/\\^&(),.:'.indexOf(c) >= 0) {
        push('op', c);
        i++;
        continue;
      }
      throw new SyntaxErr(1032, line, c);
    }
    if (!last() || last().k !== 'nl') push('nl', '\n');
    push('eof', null);
    return tokens;
  };
})(VB);
