// New RegExp: VBScript's regular expressions (Pattern, IgnoreCase, Global,
// Multiline; Test, Replace, Execute with its Matches), whose syntax is
// JScript's.
(function (VB) {
  'use strict';

  function compile(re, global) {
    var flags = (re.IgnoreCase ? 'i' : '') + (re.Multiline ? 'm' : '') + (global ? 'g' : '');
    try {
      return new RegExp(String(re.Pattern), flags);
    } catch (e) {
      throw new VB.VbError(5017, '', '正则表达式语法错误');
    }
  }
  function collection(items, className) {
    var list = {VBClassName: className, Count: items.length};
    list.Item = function (i) { return items[Number(i)]; };
    list[Symbol.iterator] = function () { return items[Symbol.iterator](); };
    list[VB.DEFAULT] = function () { return items[0]; };
    return list;
  }
  function match(m) {
    var found = {VBClassName: 'IMatch2', Value: m[0], FirstIndex: m.index, Length: m[0].length};
    found.SubMatches = collection(m.slice(1).map(function (s) { return s === undefined ? '' : s; }), 'ISubMatches');
    found[VB.DEFAULT] = function () { return m[0]; };
    return found;
  }

  VB.newRegExp = function () {
    var re = {VBClassName: 'IRegExp2', Pattern: '', IgnoreCase: false, Global: false, Multiline: false};
    re.Test = function (s) { return compile(re, false).test(String(s)); };
    re.Replace = function (s, by) { return String(s).replace(compile(re, re.Global), String(by)); };
    re.Execute = function (s) {
      var text = String(s), found = [], pattern = compile(re, true), m;
      while ((m = pattern.exec(text))) {
        found.push(match(m));
        if (!re.Global) break;
        if (m[0] === '') pattern.lastIndex++;
      }
      return collection(found, 'IMatchCollection2');
    };
    return re;
  };
})(VB);
