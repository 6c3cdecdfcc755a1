<html><head><script src="/legacy/check.js"></script></head><body>
<script>window.navigate("/legacy/navigated.asp");</script>
</body></html>