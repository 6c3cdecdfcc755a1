<html><head><script src="/legacy/check.js"></script>
<style>#t { color: green; }</style></head><body>
<form><input name="a"><input name="b"><select name="s"><option>1</option><option>2</option></select>
<input type="hidden" name="text" value="t"><input type="hidden" name="all" value="x"></form>
<ul id="list"><li>1</li><li>2</li><li>3</li></ul>
<p id="t">t</p>
<script>
var el = document.getElementById("t");
var color = document.all ? el.currentStyle.color : getComputedStyle(el, null).color;
check(color == "rgb(0, 128, 0)", "color " + color);
var form = document.forms[0];
check(document.forms === document.forms && form.elements === form.elements, "the same collection each time");
check(document.forms instanceof HTMLCollection && form.elements instanceof HTMLFormControlsCollection, "instanceof");
check(Object.prototype.toString.call(form.elements) == "[object HTMLFormControlsCollection]", "toString");
check(form.text.value == "t" && form.all.value == "x", "a form's fields by name");
check(Array.prototype.slice.call(form.elements).length == 5 && Array.from(document.getElementById("list").children).length == 3, "array-like");
var names = [];
for (var field of form.elements) names.push(field.name);
check(names.join() == "a,b,s,text,all", "iterable: " + names.join());
check(form.elements.item(1).name == "b" && form.elements.namedItem("a").name == "a", "item and namedItem");
form.s.options.length = 0;
check(form.s.options.length == 0, "options cleared");
var style = document.getElementById("list").style;
style.filter = "blur(1px)";
check(style.filter == "blur(1px)" && getComputedStyle(document.getElementById("list")).filter == "blur(1px)", "filter " + style.filter);
check(document.getElementById("missing") === null && document.createElement("div").tagName == "DIV", "lookups");
var key = new KeyboardEvent("keydown", {keyCode: 13});
check(key.keyCode == 13, "keyCode");
pass();
</script></body></html>