<html><head><script src="/legacy/check.js"></script></head><body>
<object id="factory" style="display:none" classid="clsid:1663ed61-23eb-11d2-b92f-008048fdd814"></object>
<script>
factory.printing.header = "";
factory.printing.footer = "";
factory.printing.portrait = false;
factory.printing.Preview();
factory.printing.Print(true);
factory.printing.PageSetup();
pass();
</script></body></html>