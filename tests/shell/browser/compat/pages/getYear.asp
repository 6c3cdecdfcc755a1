<html><head><script src="/legacy/check.js"></script></head><body>
<script>
var year = new Date(2024, 4, 1).getYear();
check(year == 2024, "2024 is " + year);
check(new Date(1999, 11, 31).getYear() == 99, "1999");
pass();
</script></body></html>