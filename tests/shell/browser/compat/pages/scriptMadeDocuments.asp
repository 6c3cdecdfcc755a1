<html><head><script src="/legacy/check.js"></script></head><body>
<iframe id="editor" name="editor" style="width:200px;height:50px"></iframe>
<div id="holder"></div>
<script>
// Each document the page makes is used on the very next statement, as the old
// control allowed: its body's createTextRange and the old event model.
function ready(doc, what) {
  check(doc && doc.body && typeof doc.body.createTextRange == "function", what + ": createTextRange");
  check(typeof doc.parentWindow.attachEvent == "function", what + ": attachEvent");
}
// a frame without an address in the markup
var editdoc = frames.editor.document;
editdoc.designMode = "On";
ready(editdoc, "markup frame");
// a frame put in by createElement
var made = document.createElement("iframe");
document.body.appendChild(made);
ready(frames[frames.length - 1].document, "appended frame");
// a frame put in by innerHTML
document.getElementById("holder").innerHTML = '<iframe name="inner"></iframe>';
ready(frames.inner.document, "innerHTML frame");
// a frame written by document.write, and written into
document.write('<iframe name="written"></iframe>');
var w = frames.written.document;
w.open();
w.write('<html><body><div id="cell">房源</div></body></html>');
w.close();
ready(w, "written frame");
check(w.all.cell.innerText == "房源", "the written frame's document.all");
// a window opened to write into
var win = window.open("", "_blank", "width=200,height=100");
win.document.write('<body><span id="s">1</span></body>');
ready(win.document, "window.open('')");
win.close();
// the document of a popup
var popup = window.createPopup();
popup.document.body.innerHTML = "<b>菜单</b>";
check(popup.document.body.all[0].innerText == "菜单", "the popup's body.all");
ready(popup.document, "popup");
pass();
</script></body></html>
