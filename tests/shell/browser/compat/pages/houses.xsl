<?xml version="1.0" encoding="gb2312"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
<xsl:output method="html"/>
<xsl:template match="/">
  <table><xsl:for-each select="houses/house"><tr><td><xsl:value-of select="district"/></td><td><xsl:value-of select="price"/></td></tr></xsl:for-each></table>
</xsl:template>
</xsl:stylesheet>
