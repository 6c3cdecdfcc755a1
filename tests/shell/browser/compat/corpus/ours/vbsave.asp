<html>
<head>
<title>房源登记</title>
<script language="VBScript">
Sub btnSave_OnClick
    If Trim(document.form1.txtPrice.value) = "" Then
        MsgBox "请填写总价！", vbExclamation, "房源登记"
        document.form1.txtPrice.focus
        Exit Sub
    End If
    document.form1.txtState.value = "已保存"
End Sub
</script>
</head>
<body>
<form name="form1">
总价(万)：<input type="text" name="txtPrice" value="">
<input type="button" name="btnSave" value="保存">
状态：<input type="text" name="txtState" value="">
</form>
</body>
</html>
