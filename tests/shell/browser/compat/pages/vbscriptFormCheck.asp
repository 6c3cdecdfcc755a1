<!-- A form checked in VBScript, as the old pages did: Sub btnSave_OnClick, MsgBox with vbExclamation, then vbYesNo + vbQuestion whose answer decides. -->
<html><head><script src="/legacy/check.js"></script>
<script language="VBScript">
Option Explicit
Sub btnSave_OnClick
  If Trim(document.All.txtName.Value) = "" Then
    MsgBox "请输入客户姓名", vbExclamation, "房源登记"
    document.all.txtName.focus
    Exit Sub
  End If
  If MsgBox("确定保存 " & document.form1.txtName.value & " 吗？", vbYesNo + vbQuestion + vbDefaultButton2, "房源登记") = vbYes Then
    document.form1.txtName.value = "已保存"
  End If
End Sub
</script></head><body>
<form name="form1"><input name="txtName" id="txtName" value=""><input type="button" id="btnSave" value="保存"></form>
<script>
var button = document.getElementById("btnSave");
button.click();
check(document.activeElement.id == "txtName", "the empty field has the focus");
document.getElementById("txtName").value = "张三";
button.click();
check(document.getElementById("txtName").value == "已保存", "after the answer: " + document.getElementById("txtName").value);
pass();
</script></body></html>
