<html>
<head>
<title>选择区域</title>
<style type="text/css">
body { background-color: #ECE9D8; font-size: 12px; margin: 8px; }
select, input { font-size: 12px; }
</style>
<script language="javascript">
// 打开时选中调用页面传来的区域
function initDialog() {
  var list = document.all.lstDistrict;
  for (var i = 0; i < list.options.length; i++)
    if (list.options[i].value == window.dialogArguments) list.selectedIndex = i;
}

function pickOk() {
  window.returnValue = document.all.lstDistrict.value;
  window.close();
}
</script>
</head>
<body onload="initDialog()" scroll="no">
<div>请选择区域：</div>
<select id="lstDistrict" size="5" style="width: 270px; margin: 4px 0" ondblclick="pickOk()">
  <option value="">（全部区域）</option>
  <option value="朝阳区">朝阳区</option>
  <option value="海淀区">海淀区</option>
  <option value="西城区">西城区</option>
  <option value="丰台区">丰台区</option>
  <option value="昌平区">昌平区</option>
</select>
<div align="right">
  <input type="button" value="确定" onclick="pickOk()">
  <input type="button" value="取消" onclick="window.close()">
</div>
</body>
</html>
