<!-- The picker of the old pages: the caller passes its window, the dialog writes the chosen value into the caller's form. -->
<html><head><script src="/legacy/check.js"></script></head><body>
<button onclick="pick()" style="position:absolute;left:0;top:0;width:200px;height:80px">选择区域...</button>
<form name="form1" style="position:absolute;top:100px">区域：<input type="text" name="area" value=""></form>
<script>
var byTheUser = true;
function pick() {
  showModalDialog("pickArea.asp", window, "dialogWidth:300px;dialogHeight:200px;status:no;help:no");
  check(document.form1.area.value == "西湖区", "the field holds '" + document.form1.area.value + "'");
  pass();
}
</script></body></html>
