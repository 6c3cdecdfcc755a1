<html><head><script src="/legacy/check.js"></script></head><body>
<form name="search">
<input name="district" value="east">
<select name="rooms"><option>1</option><option>2</option></select>
<input type="radio" name="kind" value="sale"><input type="radio" name="kind" value="rent">
</form>
<table id="list"><tr><td>a</td><td>b</td></tr></table>
<script>
var f = document.forms("search");
check(f && f.name == "search", "forms(name)");
check(document.forms(0) == f, "forms(0)");
check(f.elements("district").value == "east", "elements(name)");
check(f.elements.item("rooms").options(1).text == "2", "elements.item(name).options(1)");
check(f.elements("kind").length == 2, "elements(radio group)");
check(f.elements.item("kind", 1).value == "rent", "elements.item(name, index)");
check(document.getElementById("list").rows(0).cells(1).innerHTML == "b", "rows(0).cells(1)");
check(document.images.item("nothing") == null, "a missing name");
pass();
</script></body></html>