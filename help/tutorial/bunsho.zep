'ﾃｷｽﾄｴﾃﾞｨﾀ等でﾏｸﾛを修正した場合,この行を削除して下さい (^_^)
'=================================================================
'  ＺＥＰＯ用マクロ(ZEPOｴﾃﾞｨﾀで作成)
'=================================================================
card {bunsho}
	title  {ごあいさつ}
	new    {WHITE}

	font   {JM}{32}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {24,12}{ごあいさつ}{0}

	font   {JM}{20}{0,0}
	font2  {0}{0}
	color  {BLACK}
	textf  {40,100}{aisatsu.txt}{0}

	color  {}{WHITE}
	frame  {440,400}{600,448}{FA}{oto,oto.zep}

	font   {JM}{20}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {460,412}{つぎへ}{0}{oto,oto.zep}

	color  {}{WHITE}
	frame  {40,400}{200,448}{FA}{shashin,shashin.zep}

	font   {JM}{20}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {60,412}{もどる}{0}{shashin,shashin.zep}

end
