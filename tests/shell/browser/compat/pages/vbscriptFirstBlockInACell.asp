<!-- A page whose first VBScript block stands in a table cell, not directly in the head or body: it has run when the JScript after the table calls it. -->
<html><head><script src="/legacy/check.js"></script></head><body>
<table><tr><td><script language="vbscript">
Function Area(w, h)
  Area = w * h
End Function
</script>面积</td></tr></table>
<script>
check(typeof Area == "function" && Area(3, 4) === 12, "called from the JScript after the table");
pass();
</script></body></html>
