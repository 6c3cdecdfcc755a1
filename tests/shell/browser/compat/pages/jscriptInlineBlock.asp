<html><head><script src="/legacy/check.js"></script>
<script>var 房源 = {名称: "东城区·两室一厅"};</script>
<script>
var 记号 = "乗";
var 标题 = 房源.说明();
function 房源.说明() { return "房源：" + this.名称; }
/*@cc_on
@if (@_jscript_version >= 5.5)
var 引擎 = "JScript " + @_jscript_version;
@else @*/
var 引擎 = "其他浏览器";
/*@end @*/
var 加载 = 0;
function window::onload() { 加载++; }
function window.onload() {
  check(记号 == "\u4e57", "a string whose GBK trail byte is a backslash");
  check(标题 == "房源：东城区·两室一厅", "function 房源.说明() used before its line: " + 标题);
  check(引擎 == "JScript 5.7", "conditional compilation: " + 引擎);
  setTimeout(function () { check(加载 == 1, "function window::onload()"); pass(); }, 0);
}
</script></head><body><p>价格</p></body></html>
