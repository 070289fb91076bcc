'ﾃｷｽﾄｴﾃﾞｨﾀ等でﾏｸﾛを修正した場合,この行を削除して下さい (^_^)
'=================================================================
'  ＺＥＰＯ用マクロ(ZEPOｴﾃﾞｨﾀで作成)
'=================================================================
card {oto}
	title  {チャイム}
	new    {WHITE}

	font   {JM}{32}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {24,12}{チャイム}{0}

	font   {JM}{20}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {40,160}{ここをクリックするとチャイムが鳴ります}{0}{WAVE,chime.wav}

	color  {}{WHITE}
	frame  {440,400}{600,448}{FA}{slide,slide.zep}

	font   {JM}{20}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {460,412}{つぎへ}{0}{slide,slide.zep}

	color  {}{WHITE}
	frame  {40,400}{200,448}{FA}{bunsho,bunsho.zep}

	font   {JM}{20}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {60,412}{もどる}{0}{bunsho,bunsho.zep}

end
