// An old page's script file, in GBK without a charset.
var 提示 = "乗倉";
function 工具.合计(a, b) { return a + b; }
var ie = /*@cc_on!@*/false;
function window.onload() {
  check(提示 == "\u4e57\u5009", "strings with GBK trail bytes '\\' and '}'");
  check(工具.合计(1, 2) === 3, "function 工具.合计()");
  check(ie === true, "/*@cc_on!@*/false");
  pass();
}
