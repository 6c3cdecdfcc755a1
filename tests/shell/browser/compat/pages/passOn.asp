<html><head><title>转交</title></head><body><script>
if (location.search == "?second") {
  window.dialogArguments.document.form1.area.value = "西湖区";
} else {
  // The first dialog: it passes its caller's window on, then reads what the second one wrote.
  window.showModalDialog("/legacy/passOn.asp?second", window.dialogArguments, "dialogWidth:200px;dialogHeight:100px");
  window.returnValue = window.dialogArguments.document.form1.area.value;
}
window.close();
</script></body></html>
