<html><head><title>选择区域</title>
<script language="JavaScript">
function choose(name) {
  var caller = window.dialogArguments;
  var form = caller.document.form1;
  var seen = [form.price.value, form.kind.options[form.kind.selectedIndex].text, form.urgent.checked,
              caller.document.all.owner.innerText, caller.agent, typeof caller.fillArea];
  seen.push(caller.fillArea(name + " " + form.price.value + "万"), caller.filled);
  window.returnValue = seen.join("|");
  window.close();
}
</script></head>
<body style="margin:0">
<table border="1" cellspacing="0" style="position:absolute;left:0;top:0;width:200px;height:80px">
<tr><td style="cursor: hand" onclick="choose('西湖区')">西湖区</td></tr></table>
</body></html>
