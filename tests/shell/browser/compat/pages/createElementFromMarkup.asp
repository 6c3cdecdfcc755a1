<html><head><script src="/legacy/check.js"></script></head><body>
<form id="f"></form>
<script>
var f = document.getElementById("f");
for (var i = 0; i < 2; i++) f.appendChild(document.createElement("<input type='radio' name='kind' value='" + i + "'>"));
check(f.elements.length == 2 && f.elements[0].name == "kind", "name given at creation");
f.elements[0].checked = true;
f.elements[1].checked = true;
check(!f.elements[0].checked, "one radio group");
pass();
</script></body></html>