<html><head><title>调整</title></head><body><script>
var before = window.dialogWidth + "," + window.dialogHeight;
window.dialogWidth = "300px";
window.dialogHeight = "150px";
window.returnValue = before + ";" + window.dialogWidth + "," + window.dialogHeight;
window.close();
</script></body></html>
