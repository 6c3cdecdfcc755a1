<html>
<head>
<title>安居房产 老版管理系统</title>
</head>
<frameset cols="140,*" frameborder="yes" border="2" framespacing="0" bordercolor="#336699">
  <frame name="menu" src="menu.asp" scrolling="no" noresize marginwidth="0" marginheight="0">
  <frame name="main" src="main.asp" scrolling="auto">
  <noframes>
  <body>
  本系统需要支持框架的浏览器。
  </body>
  </noframes>
</frameset>
</html>
