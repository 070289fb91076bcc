card {x}
	@slide {2.5}
		{main,main.zep}
		{x,a,b.zep}
		{B,B.ZEP}
		{x,other}
		{ƒ},ƒ}}.zep}
		{{a{,{a{.zep}

	@end
	@slide {900}
		{c,c.zep}
end
