<html><head><script src="/legacy/check.js"></script></head><body><input id="district">
<script>
var picked = window.showModalDialog("/legacy/picker.asp", {district: "东城区", n: 2}, "dialogWidth:320px;dialogHeight:200px");
check(picked && picked.district == "东城区" && picked.nested == 4, "returned " + JSON.stringify(picked));
document.getElementById("district").value = picked.district;
pass();
</script></body></html>