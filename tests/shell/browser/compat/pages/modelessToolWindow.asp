<!-- A modeless tool window: it writes into the caller's form while it stays open, and the caller writes into the tool's page through the window showModelessDialog returned. -->
<html><head><script src="/legacy/check.js"></script></head><body>
<button onclick="openTool()" style="position:absolute;left:0;top:0;width:200px;height:80px">工具</button>
<button onclick="answer()" style="position:absolute;left:0;top:100px;width:200px;height:80px">回复</button>
<form name="form1" style="position:absolute;left:0;top:200px">区域：<input type="text" name="area" value=""></form>
<script>
var byTheUser = true;
var tool = null;
function openTool() {
  tool = showModelessDialog("tool.asp", window, "dialogWidth:300px;dialogHeight:200px;resizable:yes");
  check(tool && tool.dialogArguments === window, "showModelessDialog returned " + tool);
}
function answer() {
  check(document.form1.area.value == "西湖区", "the tool wrote '" + document.form1.area.value + "'");
  tool.document.getElementById("answer").innerText = "已收到 " + document.form1.area.value;
  tool.shown(document.form1.area.value);
  pass();
}
</script></body></html>
