<html><head><script src="/legacy/check.js"></script></head><body>
<div id="row">1</div>
<script>
var row = document.getElementById("row");
row.setAttribute("className", "selected");
check(row.className == "selected", "className " + row.className);
row.setAttribute("onclick", function () { window.rowClicked = true; });
row.click();
check(window.rowClicked, "a handler given by setAttribute");
pass();
</script></body></html>