<html>
<head>
<title>预约看房</title>
<link rel="stylesheet" type="text/css" media="all" href="calendar-win2k-1.css" title="win2k-1" />
<script type="text/javascript" src="calendar.js"></script>
<script type="text/javascript" src="lang/calendar-en.js"></script>
<script type="text/javascript" src="calendar-setup.js"></script>
</head>
<body>
<form name="form1" action="#" method="get">
看房日期：<input type="text" name="date" id="f_date_b" value="2004-03-10" /><button type="reset" id="f_trigger_b">...</button>
</form>
<script type="text/javascript">
    Calendar.setup({
        inputField     :    "f_date_b",      // id of the input field
        ifFormat       :    "%Y-%m-%d",      // format of the input field
        button         :    "f_trigger_b",   // trigger for the calendar (button ID)
        singleClick    :    true
    });
</script>
</body>
</html>
