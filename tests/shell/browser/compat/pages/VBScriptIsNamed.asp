<html><head><script src="/legacy/check.js"></script>
<script language="VBScript">
Sub Window_OnLoad
  MsgBox "欢迎"
End Sub
</script></head><body>
<script>pass();</script>
</body></html>