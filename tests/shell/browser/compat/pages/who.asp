<html><head><title>House list</title></head><body><form action=save.asp method=post><input name=a value=1><input type=submit value=OK></form><p>Total: 12</p>价格</body></html>
