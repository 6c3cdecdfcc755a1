<!-- A dialog that reads the caller's fields, variables and elements as the user left them and calls the caller's function, which fills the form and answers. -->
<html><head><script src="/legacy/check.js"></script></head><body>
<button onclick="pick()" style="position:absolute;left:0;top:0;width:200px;height:80px">选择区域...</button>
<form name="form1">
<input type="text" name="price" value="" title="总价" style="position:absolute;left:0;top:100px;width:200px;height:30px">
<div style="position:absolute;left:0;top:150px"><select name="kind"><option>住宅</option><option selected>商铺</option></select>
<input type="checkbox" name="urgent" checked>
区域：<input type="text" name="area" value=""></div>
</form>
<div id="owner" style="position:absolute;top:200px">王先生</div>
<script>
var byTheUser = true;
var agent = "李经理";
var filled = 0;
function fillArea(name) {
  document.form1.area.value = name;
  filled++;
  return "已填";
}
function pick() {
  var seen = showModalDialog("pickAndFill.asp", window, "dialogWidth:300px;dialogHeight:200px");
  check(seen == "120|商铺|true|王先生|李经理|function|已填|1", "the dialog saw " + seen);
  check(document.form1.area.value == "西湖区 120万" && filled == 1, "the field holds '" + document.form1.area.value + "'");
  pass();
}
</script></body></html>
