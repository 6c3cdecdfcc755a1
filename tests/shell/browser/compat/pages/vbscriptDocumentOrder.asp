<!-- VBScript blocks run where they stand, between the JScript blocks around them: in the head, from a file, in a table cell, where document.write writes in place. -->
<html><head><script src="/legacy/check.js"></script>
<script>var steps = ["js1"];</script>
<script language="vbscript">
steps.push "vbs1"
</script>
<script>steps.push("js2");</script>
<script type="text/vbscript" src="/legacy/steps.vbs"></script>
<script>steps.push("js3");</script>
</head><body><table><tr><td id="cell"><script language="vbscript">document.write "<b id=""written"">写入</b>" : steps.push "vbs-cell"</script></td><td>2</td></tr></table>
<script>
steps.push("js4");
check(steps.join() == "js1,vbs1,js2,vbs-file,js3,vbs-cell,js4", "order: " + steps.join());
var b = document.getElementById("written");
check(b && b.parentNode.id == "cell" && b.innerText == "写入", "written in place");
pass();
</script></body></html>
