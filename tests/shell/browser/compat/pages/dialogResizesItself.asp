<html><head><script src="/legacy/check.js"></script></head><body><script>
var seen = window.showModalDialog("resize.asp", null, "dialogWidth:200px;dialogHeight:100px;resizable:no");
check(seen == "200px,100px;300px,150px", "the dialog's size read back: " + seen);
pass();
</script></body></html>
