<html><head><title>选择区域</title></head><body><script>
var a = window.dialogArguments;
var doubled = window.showModalDialog("/legacy/inner.asp", a.n, "dialogWidth:200px;dialogHeight:100px");
window.returnValue = {district: a.district, nested: doubled};
window.close();
</script></body></html>