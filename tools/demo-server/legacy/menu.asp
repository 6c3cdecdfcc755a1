<html>
<head>
<title>Menu</title>
<style type="text/css">
body { margin: 0; background-color: #336699; font-size: 12px; font-family: Tahoma, Arial; }
a { display: block; color: #FFFFFF; text-decoration: none; padding: 6px 12px; border-bottom: 1px solid #6699CC; }
a:hover { background-color: #6699CC; }
.title { color: #FFCC00; font-weight: bold; padding: 10px 12px 6px 12px; }
</style>
</head>
<body>
<div class="title">AnJu 2003</div>
<a href="main.asp" target="main">&gt; 查询</a>
<a href="/House/?DatabaseName=House" target="_top">&gt; 新版</a>
</body>
</html>
