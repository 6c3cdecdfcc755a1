<html><head><script src="/legacy/check.js"></script></head><body>
<div id="anchor" style="position:absolute;left:50px;top:40px;width:10px;height:10px"></div>
<script>
var popup = window.createPopup();
popup.document.body.innerHTML = '<div id="menu" style="background:#ffffe1">编辑</div>';
popup.show(0, 20, 120, 60, document.getElementById("anchor"));
check(popup.isOpen, "isOpen");
var hit = document.elementFromPoint(80, 80);
check(hit && hit.tagName == "IFRAME", "the popup lies at 50,60: " + (hit && hit.tagName));
check(popup.document.getElementById("menu") != null, "its content");
popup.hide();
check(!popup.isOpen && document.elementFromPoint(80, 80) != hit, "hidden");
pass();
</script></body></html>