ZEPO:はじめての発表
'ﾃｷｽﾄｴﾃﾞｨﾀ等でﾏｸﾛを修正した場合,この行を削除して下さい (^_^)
'=================================================================
'  ＺＥＰＯ用マクロ(ZEPOｴﾃﾞｨﾀで作成)
'=================================================================
card {main}
	title  {はじめての発表}
	new    {CYAN}
	cursor {1}

	color  {}{BLUE2}
	frame  {0,0}{639,63}{FB}

	font   {JG}{40}{0}
	font2  {1}{0}
	color  {WHITE}{BLUE2}
	text   {24,12}{春の研究発表会}{2}

	bitmap {40,100}{sakura.bmp,150.0}{FA}

	font   {JM2}{32}{0}
	font2  {0}{0}
	color  {MAGENTA2}{WHITE}
	text2  {592,100}{さくら}{0}

	color  {}{YELLOW}
	frame  {400,380}{600,428}{0}{next,next.zep}

	font   {JG}{24}{0}
	font2  {0}{0}
	color  {BLACK}{YELLOW}
	text   {420,392}{つぎへ}{1}{next,next.zep}

	button {0}{next,next.zep}

end
