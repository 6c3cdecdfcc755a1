<!-- Handlers written in VBScript: language="vbscript" attributes, "vbscript:" in a handler attribute and a link, <script for= event=>, Sub window_onload, GetRef as an onclick, a Function whose False cancels, execScript. -->
<html><head><script src="/legacy/check.js"></script>
<script language="VBScript">
Dim notes
notes = ""
Sub Note(what)
  notes = notes & what & ";"
End Sub
Sub window_onload
  Note "load"
End Sub
</script>
<script language="VBScript" for="b3" event="onclick">
Note "for-event"
</script>
</head><body>
<input type="button" id="b1" language="vbscript" onclick="Note &quot;language&quot; : Note Me.id">
<input type="button" id="b2" onclick="vbscript:Note(&quot;prefix&quot;)">
<input type="button" id="b3">
<a id="link" href="vbscript:Note(&quot;link&quot;)">详情</a>
<form id="f" language="vbscript" onsubmit="CheckForm()"><input name="q"></form>
<input type="button" id="b4">
<script language="vbscript">
Function CheckForm()
  Note "checked"
  CheckForm = False
End Function
Sub ShowB4
  Note "getref"
End Sub
Set document.getElementById("b4").onclick = GetRef("ShowB4")
</script>
<script>
window.attachEvent("onload", function () {
  document.getElementById("b1").click();
  document.getElementById("b2").click();
  document.getElementById("b3").click();
  document.getElementById("link").click();
  document.getElementById("b4").click();
  var submitted = document.getElementById("f").dispatchEvent(new Event("submit", {cancelable: true}));
  execScript("Note \"exec\"", "VBScript");
  check(notes == "load;language;b1;prefix;for-event;link;getref;checked;exec;", "handlers: " + notes);
  check(!submitted, "the form's submit is cancelled");
  pass();
});
</script></body></html>
