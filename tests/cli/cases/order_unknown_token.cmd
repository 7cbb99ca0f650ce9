order
X R
U7
