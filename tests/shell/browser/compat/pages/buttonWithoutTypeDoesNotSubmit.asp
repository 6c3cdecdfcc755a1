<!-- A toolbar of <button>s without a type inside the page's form: a click runs the button's onclick and submits nothing, as in IE 7. -->
<html><head><script src="/legacy/check.js"></script></head><body>
<form method="post" action="" onsubmit="report('FAIL: the form was submitted'); return false;">
<input type="text" name="memo" value="备注">
<button onclick="clicked()" style="position:absolute;left:0;top:0;width:200px;height:80px">加粗</button>
</form><script>
var byTheUser = true;
// A submission would come in the same task as the click; the verdict comes after it.
function clicked() { window.setTimeout(pass, 0); }
</script></body></html>
