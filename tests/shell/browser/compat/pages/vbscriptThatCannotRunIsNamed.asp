<!-- A VBScript block that uses what the client cannot run (a Class) or does not compile does not run, and the notice names it with its line; the rest of the page runs. -->
<html><head><script src="/legacy/check.js"></script>
<script language="VBScript">
Dim ran
ran = "first"
</script>
<script language="VBScript">
ran = "class"
Class House
End Class
</script>
<script language="VBScript">
ran = "broken"
If ran = "broken" Then
  ran = ran &
End If
</script>
</head><body><script>
check(ran == "first", "ran: " + ran);
pass();
</script></body></html>
