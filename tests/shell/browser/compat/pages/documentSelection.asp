<html><head><script src="/legacy/check.js"></script></head><body>
<textarea id="memo">sunny flat, two rooms</textarea>
<p>Note: <span id="s">new kitchen</span></p>
<script>
var memo = document.getElementById("memo");
memo.focus();
memo.setSelectionRange(0, 5);
check(document.selection.type == "Text", "type " + document.selection.type);
var r = document.selection.createRange();
check(r.text == "sunny", "the field's selection '" + r.text + "'");
r.text = "bright";
check(memo.value == "bright flat, two rooms", "replaced: " + memo.value);
memo.setSelectionRange(3, 3);
var caret = document.selection.createRange();
caret.moveStart("character", -memo.value.length);
check(caret.text.length == 3, "caret at " + caret.text.length);
memo.blur();
var range = document.createRange();
range.selectNodeContents(document.getElementById("s"));
getSelection().removeAllRanges();
getSelection().addRange(range);
check(document.selection.createRange().text == "new kitchen", "the page's selection");
pass();
</script></body></html>