ZEPO:title line
'comment
  text {1,1}{before card}{0}
card {main}
	text {1x,2}{a}{0}
	text {1,2}{abƒ
	card {again}
	unknown {1}
	font {XX}{abc}{0,zz}end
after end
