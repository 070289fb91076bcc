'ﾃｷｽﾄｴﾃﾞｨﾀ等でﾏｸﾛを修正した場合,この行を削除して下さい (^_^)
'=================================================================
'  ＺＥＰＯ用マクロ(ZEPOｴﾃﾞｨﾀで作成)
'=================================================================
card {slide}
	title  {スライド}
	new    {WHITE}

	font   {JM}{32}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {24,12}{スライド}{0}

	color  {}{WHITE}
	frame  {40,400}{200,448}{FA}{main,main.zep}

	font   {JM}{20}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {60,412}{はじめへ}{0}{main,main.zep}

	@slide  {5}
		{shashin,shashin.zep}
		{bunsho,bunsho.zep}
		{oto,oto.zep}
	@end

end
